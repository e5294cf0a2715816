#pragma once

#include "SimulatorConfig.h"

#include <string>
#include <vector>

namespace zok::sim {

// The options of the zok-sim command.
class CommandLine
{
public:
    enum class Action { Run, Help, Error };

    struct Result
    {
        Action action = Action::Run;
        SimulatorConfig config;
        std::string linkPath;    // --link: a symbolic link to the port
        bool verbose = false;    // --verbose: every command and answer on stderr
        bool tagsPaused = false; // --tags-paused: tag reports wait for SIGUSR1
        std::string error;       // for Action::Error
    };

    // `args` are the arguments after the program name.
    static Result parse(const std::vector<std::string> &args);
    static std::string helpText();
};

} // namespace zok::sim
