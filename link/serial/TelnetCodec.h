#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zok {

// The telnet framing of an RFC 2217 line (RFC 854): data bytes, with 0xFF doubled, between
// commands that start with IAC (0xFF): option negotiations (WILL, WONT, DO, DONT and an option)
// and subnegotiations (SB, an option, a payload, IAC SE). Decoding keeps its state between reads,
// so a command cut in two by the network is completed by the next read. Widget-free and without
// input or output of its own: the line that owns it sends and receives.
class TelnetCodec
{
public:
    static constexpr std::uint8_t kIac = 0xFF;
    static constexpr std::uint8_t kWill = 251;
    static constexpr std::uint8_t kWont = 252;
    static constexpr std::uint8_t kDo = 253;
    static constexpr std::uint8_t kDont = 254;
    static constexpr std::uint8_t kSb = 250;
    static constexpr std::uint8_t kSe = 240;
    // A subnegotiation longer than this is no COM port control: it is dropped whole.
    static constexpr std::size_t kMaxPayload = 64;

    struct Command
    {
        std::uint8_t verb = 0; // kWill, kWont, kDo, kDont, or kSb with `payload`
        std::uint8_t option = 0;
        std::string payload;
    };

    // Appends the data bytes among `count` received bytes to `data` and the commands completed
    // among them to `commands`, in order.
    void Decode(const char *bytes, std::size_t count, std::string &data, std::vector<Command> &commands);
    // True once a command has been received: the peer speaks telnet.
    bool SawCommand() const { return m_sawCommand; }

    // Appends `count` data bytes to `out`, each 0xFF doubled.
    static void Escape(const char *bytes, std::size_t count, std::string &out);
    static std::string Negotiation(std::uint8_t verb, std::uint8_t option);
    static std::string Subnegotiation(std::uint8_t option, std::string_view payload);

private:
    enum class State { Data, Iac, Verb, SubOption, Sub, SubIac };

    void DecodeCommandByte(std::uint8_t byte, std::vector<Command> &commands);

    State m_state = State::Data;
    Command m_command;
    bool m_sawCommand = false;
};

} // namespace zok
