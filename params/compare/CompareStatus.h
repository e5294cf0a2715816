#pragma once

namespace zok {

// How a parameter of a file stands against the receiver. When several apply, the first listed
// after Same and Differs wins: a key the file lacks is NotInFile whatever the receiver says.
enum class CompareStatus {
    Same,         // the receiver holds the file's byte
    Differs,      // the receiver holds another byte
    NotInFile,    // the file has no usable value for the key (missing, not a number, or after one)
    NotReported,  // the receiver did not answer the parameter's register in its read
    NotSupported, // reported, but the receiver's firmware is too old for the parameter
};

// What the read-back after a write found for a row.
enum class VerifyStatus {
    NotWritten,      // the row was not ticked (or nothing was written yet)
    Verified,        // acknowledged, and the read-back holds the file's byte
    StillDifferent,  // acknowledged, but the read-back holds another byte
    NotAcknowledged, // the write of its register got no acknowledgement
    NotReadBack,     // acknowledged, but the read-back did not report the parameter
};

} // namespace zok
