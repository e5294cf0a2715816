#pragma once

#include "CommandResult.h"

namespace zok::cli {

class CliSession;
struct CliOptions;

// The commands of zok-cli, one file each. Those that talk to a receiver open the port themselves.
CommandResult RunPorts(const CliOptions &options);
CommandResult RunScan(CliSession &session);
CommandResult RunDetect(CliSession &session);
CommandResult RunRead(CliSession &session);
CommandResult RunWrite(CliSession &session);
CommandResult RunCompare(CliSession &session);
CommandResult RunTags(CliSession &session);
CommandResult RunRadio(CliSession &session);
CommandResult RunFilter(CliSession &session);
CommandResult RunClone(CliSession &session);

} // namespace zok::cli
