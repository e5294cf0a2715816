#pragma once

#include "CTcpLine.h"
#include "TelnetCodec.h"

#include <array>
#include <cstdint>
#include <string>

namespace zok {

// The backend of a port named "rfc2217://HOST:PORT": telnet with the COM port control option
// (RFC 2217), so that the program sets the line's speed and framing on the device server as on a
// local port. Opening asks for the option and purges the server's buffers; every setting is
// sent and counts only once the server has answered it, with the value the server reports being
// the one in force.
//
// A server that refuses the option, that does not answer it within kAnswerTimeoutMs, or that
// leaves a setting unanswered as long, still carries the bytes: the line then works as a raw one
// (its speed is the server's). The first Configure after that returns why (kErrorComPortRefused,
// kErrorComPortNoAnswer), later ones kErrorLineSetOnServer. A server that sent no telnet command
// at all is taken for a raw server, and the bytes go through without telnet framing.
class CRfc2217Line : public CTcpLine
{
public:
    static constexpr int kAnswerTimeoutMs = 1000;

    using CTcpLine::CTcpLine;

    long Configure(int baud, int dataBits, int parity, int stopBits) override;
    long SetHandshake(int kind) override;
    LineSettings Settings() override;

protected:
    // Asks for COM port control, then purges the server's buffers and learns the settings in force.
    long SetUpConnection() override;
    void ResetConnection() override;
    void Decode(const char *bytes, std::size_t count, std::string &data) override;
    void Encode(const char *data, std::size_t count, std::string &out) override;

private:
    enum class Control { Asked, On, Refused, Unanswered };
    // RFC 1143's view of one option on one side, reduced to what this client needs.
    enum class OptionState : std::uint8_t { No, Asked, Yes };

    void OnNegotiation(std::uint8_t verb, std::uint8_t option);
    void OnComPortAnswer(const std::string &payload);
    // Sends the requests (code, value bytes) together and waits for an answer to each; 0,
    // kErrorComPortNoAnswer (the line then works as a raw one) or kErrorConnectionClosed.
    long Request(const std::string &requests, std::initializer_list<std::uint8_t> codes);
    void FallBack(long notice);

    // Protected by m_mutex (the owner and the listener both run Decode).
    TelnetCodec m_codec;
    bool m_telnet = true;
    Control m_control = Control::Asked;
    std::array<OptionState, 256> m_ours{};   // options this side performs
    std::array<OptionState, 256> m_theirs{}; // options the server performs
    std::array<bool, 256> m_refused{};       // options refused once already
    std::array<bool, 13> m_answered{};       // per request code: answered since it was sent
    LineSettings m_inForce;
    // Owner only: what the first Configure after a fall-back returns.
    long m_notice = 0;
};

} // namespace zok
