#include "SimulatorConfig.h"

#include "HexText.h"
#include "LineSpeed.h"

#include <set>

namespace zok::sim {

namespace {
std::string validateReceiver(const ReceiverConfig &r)
{
    const std::string name = "receiver " + HexText::byte(r.address) + ": ";
    if (r.address == 0)
        return "receiver address 00 is reserved for commands to every receiver";
    if (!LineSpeed::isReceiverBaud(r.baud))
        return name + "speed must be 9600, 19200, 38400, 57600 or 115200";
    for (const std::string &tag : r.tags) {
        if (tag.empty() || tag.size() % 2 != 0 || !HexText::isUpperHex(tag))
            return name + "tag identifier '" + tag + "' is not an even number of upper-case hex digits";
    }
    if (r.tagRate < 0 || r.tagRate > kMaxTagRate)
        return name + "tag rate must be between 0 and 100000 reports per second";
    if (r.answerDelayMs < 0 || r.faults.lateMs < 0)
        return name + "delays cannot be negative";
    const auto percent = [](int p) { return p >= 0 && p <= 100; };
    if (!percent(r.faults.losePercent) || !percent(r.faults.latePercent))
        return name + "probabilities are percentages from 0 to 100";
    for (std::uint8_t code : r.supported) {
        if (!RegisterTable::isParameter(code))
            return name + "code " + HexText::byte(code) + " is not a parameter";
    }
    return {};
}
} // namespace

std::string SimulatorConfig::validate() const
{
    if (receivers.empty())
        return "no receiver on the line";
    std::set<std::uint8_t> addresses;
    for (const ReceiverConfig &r : receivers) {
        if (std::string error = validateReceiver(r); !error.empty())
            return error;
        if (!addresses.insert(r.address).second)
            return "two receivers at address " + HexText::byte(r.address);
    }
    return {};
}

} // namespace zok::sim
