#pragma once

#include "Receiver.h"
#include "Reply.h"
#include "Transmission.h"

#include <string>
#include <vector>

namespace zok::sim {

// Turns what a receiver means to send into what reaches the line: its answer delay, then the
// faults it was given (lost, late, duplicated frames, lower-case digits, noise).
class AnswerShaper
{
public:
    static std::vector<Transmission> answer(Receiver &receiver, const Reply &reply, Clock::time_point now);
    static std::vector<Transmission> report(Receiver &receiver, const std::string &frame,
                                            Clock::time_point now);

private:
    static void addFrame(Receiver &receiver, const std::string &frame, Clock::time_point due,
                         std::vector<Transmission> &out);
    static std::string faultyText(const Faults &faults, const std::string &frame);
    static std::string noise(Receiver &receiver);
};

} // namespace zok::sim
