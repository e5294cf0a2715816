#pragma once

#include "CompareStatus.h"
#include "ParameterId.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace zok {

// One parameter of a comparison: the bytes as they go on the wire and into files, the texts as
// the parameter grid shows them, the status, and the write and verification state.
struct CompareRow
{
    ParameterId Id{};
    CompareStatus Status = CompareStatus::NotInFile;
    std::optional<std::uint8_t> FileValue;     // none when not in the file
    std::optional<std::uint8_t> ReceiverValue; // none when not reported
    QString Name;                              // the grid's row name
    QString FileText;                          // empty when not in the file
    QString ReceiverText;                      // empty when not reported
    bool Tickable =
        false; // may be written: in the file, supported, and for RX_VITESSE speed configuration on
    bool Ticked = false;
    VerifyStatus Verify = VerifyStatus::NotWritten;
};

} // namespace zok
