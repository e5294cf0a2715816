#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace chaos {

// What a run went through. A run that did not get through the program's risky parts (an open
// port, quiet phases, a hang-up, a save) proves little, so it fails too: see Shortfalls.
struct Totals
{
    std::uint64_t actions = 0;
    std::uint64_t lineFaults = 0;
    int hangUps = 0;
    // Hang-ups after which a quiet phase found the window consistent again.
    int hangUpsSurvived = 0;
    // How often the port was found open after being closed (the first opening included).
    int portOpenings = 0;
    int quietChecks = 0;
    // Saved parameter files whose content was checked against the model.
    int savesChecked = 0;
    int windowRestarts = 0;
    // Recorded decisions a replay could not take (it went another way).
    int divergences = 0;
    // Actions a replay took with the program in another state than recorded (it waited a while).
    int stateMisses = 0;
    long long longestSilenceMs = 0; // the longest the event loop went without answering
    std::string kinds;              // how many actions of each kind, "kind=count ..."
};

// What a run must have gone through; one text per shortfall, empty when none.
std::vector<std::string> Shortfalls(const Totals &totals);

// "actions=... hangups=..." for the summary line.
std::string Summary(const Totals &totals);

} // namespace chaos
