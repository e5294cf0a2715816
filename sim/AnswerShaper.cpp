#include "AnswerShaper.h"

#include "HexText.h"

namespace zok::sim {

std::vector<Transmission> AnswerShaper::answer(Receiver &receiver, const Reply &reply, Clock::time_point now)
{
    const ReceiverConfig &config = receiver.config();
    int delayMs = config.answerDelayMs + config.registers.at(RegisterTable::kAnswerDelay);
    if (config.faults.lateMs > 0 && receiver.chance(config.faults.latePercent))
        delayMs += config.faults.lateMs;
    const Clock::time_point due = now + std::chrono::milliseconds(delayMs);
    std::vector<Transmission> out;
    for (const std::string &frame : reply.frames) {
        const bool twice = receiver.config().faults.duplicateAcks && frame.starts_with("OK");
        addFrame(receiver, frame, due, out);
        if (twice)
            addFrame(receiver, frame, due, out);
    }
    if (reply.switchToBaud != 0)
        out.push_back({{}, {}, due, config.address, reply.switchToBaud});
    return out;
}

std::vector<Transmission> AnswerShaper::report(Receiver &receiver, const std::string &frame,
                                               Clock::time_point now)
{
    std::vector<Transmission> out;
    addFrame(receiver, frame, now, out);
    return out;
}

void AnswerShaper::addFrame(Receiver &receiver, const std::string &frame, Clock::time_point due,
                            std::vector<Transmission> &out)
{
    const Faults &faults = receiver.config().faults;
    if (receiver.chance(faults.losePercent))
        return;
    const std::string text = faultyText(faults, frame);
    const std::string prefix = faults.noise ? noise(receiver) : std::string();
    out.push_back({prefix + "[" + text + "]", text, due, receiver.config().address, 0});
}

std::string AnswerShaper::faultyText(const Faults &faults, const std::string &frame)
{
    if (!faults.lowerCaseHex || frame.starts_with("VE"))
        return frame; // the version is free text, not digits
    if (frame.starts_with("OK"))
        return "OK" + HexText::toLower(frame.substr(2));
    return HexText::toLower(frame);
}

std::string AnswerShaper::noise(Receiver &receiver)
{
    std::uniform_int_distribution<int> length(1, 6);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string out(static_cast<std::size_t>(length(receiver.random())), '\0');
    for (char &c : out) {
        do {
            c = static_cast<char>(byte(receiver.random()));
        } while (c == '[' || c == ']');
    }
    return out;
}

} // namespace zok::sim
