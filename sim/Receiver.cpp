#include "Receiver.h"

#include "HexText.h"
#include "LineSpeed.h"

#include <algorithm>

namespace zok::sim {

namespace {
constexpr std::uint8_t kReadAll = 0x99;
constexpr std::uint8_t kVersion = 0x98;
constexpr std::uint8_t kRadioLevel = 0x97;
} // namespace

Receiver::Receiver(ReceiverConfig config, std::uint32_t seed) : random_(seed)
{
    setConfig(std::move(config));
}

void Receiver::setConfig(ReceiverConfig config)
{
    config_ = std::move(config);
    for (const auto &[code, value] : RegisterTable::defaults())
        config_.registers.try_emplace(code, value); // every register exists, whatever a test removed
    setBaud(config_.baud);
}

void Receiver::setBaud(int baud)
{
    config_.baud = baud;
    config_.registers[RegisterTable::kSpeed] =
        static_cast<std::uint8_t>(std::max(0, LineSpeed::indexFromBaud(baud)));
}

Reply Receiver::answer(const Command &command)
{
    const std::uint8_t code = command.code;
    if (code == kReadAll)
        return readAll();
    if (code == kVersion)
        return {{"VE" + config_.firmware}};
    if (code == kRadioLevel)
        return {{registerFrame(code, radioLevel())}};
    // The broadcast scan reads register 01 of every receiver, whatever it supports.
    const bool scan = code == RegisterTable::kMode && command.address == 0;
    if (scan || RegisterTable::isFilterRead(code) ||
        (RegisterTable::isParameter(code) && config_.supported.count(code)))
        return {{registerFrame(code, config_.registers[code])}};
    if (RegisterTable::registerOfWrite(code))
        return write(command);
    return {};
}

Reply Receiver::readAll() const
{
    Reply reply;
    for (std::uint8_t code : RegisterTable::parameterCodes()) {
        if (config_.supported.count(code))
            reply.frames.push_back(registerFrame(code, config_.registers.at(code)));
    }
    // The version comes last: the program ends its read at the version once the required
    // parameters are in, and would miss optional ones sent after it.
    reply.frames.push_back("VE" + config_.firmware);
    return reply;
}

Reply Receiver::write(const Command &command)
{
    const std::uint8_t target = *RegisterTable::registerOfWrite(command.code);
    if (RegisterTable::isParameter(target) && !config_.supported.count(target))
        return {};
    Reply reply;
    if (target == RegisterTable::kSpeed) {
        // Only a speed the receiver can run at is taken; it changes after acknowledging.
        reply.switchToBaud = LineSpeed::baudFromIndex(command.value);
        if (reply.switchToBaud == 0)
            return {};
    }
    config_.registers[target] = command.value;
    reply.frames.push_back(acknowledgement(command));
    return reply;
}

std::string Receiver::registerFrame(std::uint8_t code, std::uint8_t value) const
{
    return HexText::byte(code) + HexText::byte(value) + HexText::byte(config_.address);
}

std::string Receiver::acknowledgement(const Command &command) const
{
    return "OK" + registerFrame(command.code, command.value);
}

std::string Receiver::nextTagReport()
{
    if (config_.tags.empty())
        return {};
    const std::string &tag = config_.tags[nextTag_++ % config_.tags.size()];
    return HexText::byte(radioLevel()) + tag + HexText::byte(config_.address);
}

bool Receiver::chance(int percent)
{
    if (percent <= 0)
        return false;
    return std::uniform_int_distribution<int>(0, 99)(random_) < percent;
}

std::uint8_t Receiver::radioLevel()
{
    const int jitter = std::max(0, config_.radioJitter);
    const int drawn = config_.radioLevel + std::uniform_int_distribution<int>(-jitter, jitter)(random_);
    return static_cast<std::uint8_t>(std::clamp(drawn, 0, 255));
}

} // namespace zok::sim
