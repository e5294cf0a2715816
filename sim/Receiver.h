#pragma once

#include "Command.h"
#include "ReceiverConfig.h"
#include "Reply.h"

#include <cstdint>
#include <random>
#include <string>

namespace zok::sim {

// One virtual receiver: its registers and how it answers the commands it hears. It knows nothing
// of the line; the line decides whether the command reached it (speed, faults).
class Receiver
{
public:
    Receiver(ReceiverConfig config, std::uint32_t seed);

    const ReceiverConfig &config() const { return config_; }
    // Replaces the state, keeping register 12 in step with the speed.
    void setConfig(ReceiverConfig config);
    void setBaud(int baud);

    // Whether a command with this address is meant for this receiver.
    bool isAddressed(std::uint8_t address) const { return address == 0 || address == config_.address; }
    Reply answer(const Command &command);
    // The next unsolicited report: level, identifier, address.
    std::string nextTagReport();
    // Random draws for the faults, from the same seeded source as the radio levels.
    bool chance(int percent);
    std::mt19937 &random() { return random_; }

private:
    Reply readAll() const;
    Reply write(const Command &command);
    std::string registerFrame(std::uint8_t code, std::uint8_t value) const;
    std::string acknowledgement(const Command &command) const;
    std::uint8_t radioLevel();

    ReceiverConfig config_;
    std::mt19937 random_;
    std::size_t nextTag_ = 0;
};

} // namespace zok::sim
