#include "ChaosTotals.h"

namespace chaos {

namespace {

struct Requirement
{
    bool met;
    const char *shortfall;
};

} // namespace

std::vector<std::string> Shortfalls(const Totals &totals)
{
    // The last quiet phase ends every run; at least one more must have come before it.
    const Requirement requirements[] = {
        {totals.portOpenings > 0, "the port was never open"},
        {totals.quietChecks >= 2, "no quiet phase reached its checks before the last one"},
        {totals.hangUpsSurvived > 0, "no line hang-up was followed by a quiet phase's checks"},
        {totals.savesChecked > 0, "no saved parameter file was checked"},
    };
    std::vector<std::string> missing;
    for (const Requirement &requirement : requirements)
        if (!requirement.met)
            missing.emplace_back(requirement.shortfall);
    return missing;
}

std::string Summary(const Totals &totals)
{
    return "actions=" + std::to_string(totals.actions) + " line_faults=" + std::to_string(totals.lineFaults) +
           " hangups=" + std::to_string(totals.hangUps) +
           " hangups_survived=" + std::to_string(totals.hangUpsSurvived) +
           " port_openings=" + std::to_string(totals.portOpenings) +
           " quiet_checks=" + std::to_string(totals.quietChecks) +
           " saves_checked=" + std::to_string(totals.savesChecked) +
           " restarts=" + std::to_string(totals.windowRestarts) +
           " divergences=" + std::to_string(totals.divergences) +
           " state_misses=" + std::to_string(totals.stateMisses) +
           " longest_silence_ms=" + std::to_string(totals.longestSilenceMs);
}

} // namespace chaos
