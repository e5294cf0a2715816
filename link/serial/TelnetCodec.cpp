#include "TelnetCodec.h"

#include <utility>

namespace zok {

void TelnetCodec::Decode(const char *bytes, std::size_t count, std::string &data,
                         std::vector<Command> &commands)
{
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<std::uint8_t>(bytes[i]);
        if (m_state == State::Data) {
            if (byte == kIac)
                m_state = State::Iac;
            else
                data.push_back(static_cast<char>(byte));
        } else if (m_state == State::Iac && byte == kIac) {
            data.push_back(static_cast<char>(byte));
            m_state = State::Data;
        } else {
            DecodeCommandByte(byte, commands);
        }
    }
}

// Everything after an IAC that is not a doubled 0xFF.
void TelnetCodec::DecodeCommandByte(std::uint8_t byte, std::vector<Command> &commands)
{
    switch (m_state) {
    case State::Iac:
        m_sawCommand = true;
        m_command = Command{byte, 0, {}};
        if (byte == kSb)
            m_state = State::SubOption;
        else if (byte >= kWill && byte <= kDont)
            m_state = State::Verb;
        else
            m_state = State::Data; // NOP, GA and the like carry nothing for a serial line
        break;
    case State::Verb:
        m_command.option = byte;
        commands.push_back(std::move(m_command));
        m_state = State::Data;
        break;
    case State::SubOption:
        m_command.option = byte;
        m_state = State::Sub;
        break;
    case State::Sub:
        if (byte == kIac)
            m_state = State::SubIac;
        else if (m_command.payload.size() < kMaxPayload + 1)
            m_command.payload.push_back(static_cast<char>(byte));
        break;
    case State::SubIac:
        if (byte == kIac) {
            m_command.payload.push_back(static_cast<char>(byte));
            m_state = State::Sub;
        } else {
            // IAC SE ends it; any other command inside a subnegotiation ends it too.
            if (m_command.payload.size() <= kMaxPayload)
                commands.push_back(std::move(m_command));
            m_state = State::Data;
        }
        break;
    case State::Data:
        break;
    }
}

void TelnetCodec::Escape(const char *bytes, std::size_t count, std::string &out)
{
    out.reserve(out.size() + count);
    for (std::size_t i = 0; i < count; ++i) {
        out.push_back(bytes[i]);
        if (static_cast<std::uint8_t>(bytes[i]) == kIac)
            out.push_back(bytes[i]);
    }
}

std::string TelnetCodec::Negotiation(std::uint8_t verb, std::uint8_t option)
{
    return {static_cast<char>(kIac), static_cast<char>(verb), static_cast<char>(option)};
}

std::string TelnetCodec::Subnegotiation(std::uint8_t option, std::string_view payload)
{
    std::string out{static_cast<char>(kIac), static_cast<char>(kSb), static_cast<char>(option)};
    Escape(payload.data(), payload.size(), out);
    out.push_back(static_cast<char>(kIac));
    out.push_back(static_cast<char>(kSe));
    return out;
}

} // namespace zok
