#pragma once

// The exit statuses of zok-cli, which scripts test.
namespace zok::cli {

enum Status : int {
    kSuccess = 0,
    kDifference = 1, // a difference, or a verification that failed
    kUsage = 2,      // bad usage or a bad file
    kPortError = 3,  // the port cannot be opened or was lost
    kNoAnswer = 4,   // no answer (time-out)
    // Ctrl+C during any command but tags and radio, whose result would be incomplete (the shell's
    // convention, 128 + SIGINT); tags and radio end cleanly with 0 instead.
    kInterrupted = 130,
};

} // namespace zok::cli
