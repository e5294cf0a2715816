#include "ReceiverLine.h"

#include "AnswerShaper.h"

namespace zok::sim {

namespace {
// How far behind the tag report schedule may fall and still be caught up.
constexpr auto kCatchUpLimit = std::chrono::milliseconds(20);
} // namespace

ReceiverLine::ReceiverLine(const std::vector<ReceiverConfig> &receivers, std::uint32_t seed,
                           Clock::time_point now)
{
    for (const ReceiverConfig &config : receivers)
        receivers_.emplace_back(config, seed * 7919u + config.address);
    nextReport_.resize(receivers_.size());
    for (std::size_t i = 0; i < receivers_.size(); ++i)
        reschedule(i, now);
}

ReceiverLine::Outcome ReceiverLine::hear(const HeardFrame &frame, Clock::time_point now)
{
    Outcome outcome;
    outcome.record.text = frame.text;
    outcome.record.lineBaud = frame.baud;
    const std::optional<Command> command = Command::parse(frame.text);
    for (Receiver &receiver : receivers_) {
        const ReceiverConfig &config = receiver.config();
        if (frame.baud != config.baud || config.faults.silent)
            continue;
        outcome.record.heardBy.push_back(config.address);
        if (!command || !receiver.isAddressed(command->address))
            continue;
        for (Transmission &t : AnswerShaper::answer(receiver, receiver.answer(*command), now)) {
            if (!t.frame.empty())
                outcome.record.answers.push_back(t.frame);
            outcome.output.push_back(std::move(t));
        }
    }
    return outcome;
}

std::vector<Transmission> ReceiverLine::runTimers(Clock::time_point now)
{
    std::vector<Transmission> out;
    for (std::size_t i = 0; i < receivers_.size(); ++i) {
        Receiver &receiver = receivers_[i];
        // Every report due is sent, so a high rate holds even when the thread wakes late by a
        // timer's slack; but after a real stall it does not burst to catch up.
        while (nextReport_[i] && *nextReport_[i] <= now) {
            for (Transmission &t : AnswerShaper::report(receiver, receiver.nextTagReport(), now))
                out.push_back(std::move(t));
            const auto period = std::chrono::duration<double>(1.0 / receiver.config().tagRate);
            *nextReport_[i] += std::chrono::duration_cast<Clock::duration>(period);
            if (*nextReport_[i] + kCatchUpLimit < now)
                nextReport_[i] = now;
        }
    }
    return out;
}

std::optional<Clock::time_point> ReceiverLine::nextTimer() const
{
    std::optional<Clock::time_point> next;
    for (const auto &due : nextReport_) {
        if (due && (!next || *due < *next))
            next = due;
    }
    return next;
}

Receiver *ReceiverLine::find(std::uint8_t address)
{
    for (Receiver &receiver : receivers_) {
        if (receiver.config().address == address)
            return &receiver;
    }
    return nullptr;
}

void ReceiverLine::reschedule(std::size_t index, Clock::time_point now)
{
    const ReceiverConfig &config = receivers_[index].config();
    const bool reports = config.tagRate > 0 && !config.tags.empty() && !config.faults.silent;
    if (!reports)
        nextReport_[index].reset();
    else
        nextReport_[index] = now + std::chrono::duration_cast<Clock::duration>(
                                       std::chrono::duration<double>(1.0 / config.tagRate));
}

} // namespace zok::sim
