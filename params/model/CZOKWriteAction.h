#pragma once

#include <string>

// One queued parameter write: the command in brackets (the sender adds the leading space) and
// the acknowledgement that confirms it.
struct CZOKWriteAction
{
    std::string Command;
    std::string ExpectedAnswer;

    bool operator==(const CZOKWriteAction &) const = default;
};
