#include "CRfc2217Line.h"

#include "SerialConstants.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace zok {

namespace {
// Telnet options (RFC 856, 858, 2217).
constexpr std::uint8_t kBinary = 0;
constexpr std::uint8_t kSuppressGoAhead = 3;
constexpr std::uint8_t kComPort = 44;

// COM port control requests; the server answers each with the code plus 100.
constexpr std::uint8_t kSetBaudRate = 1;
constexpr std::uint8_t kSetDataSize = 2;
constexpr std::uint8_t kSetParity = 3;
constexpr std::uint8_t kSetStopSize = 4;
constexpr std::uint8_t kSetControl = 5;
constexpr std::uint8_t kPurgeData = 12;
constexpr std::uint8_t kAnswerOffset = 100;
constexpr std::uint8_t kPurgeBoth = 3;
constexpr std::uint8_t kAskCurrent = 0; // a request with value 0 asks for the value in force

// COM port control is performed by the client side only.
bool Wanted(std::uint8_t option, bool ours)
{
    return option == kBinary || option == kSuppressGoAhead || (ours && option == kComPort);
}

std::string ComPortRequest(std::uint8_t code, std::uint8_t value)
{
    return TelnetCodec::Subnegotiation(kComPort,
                                       std::string{static_cast<char>(code), static_cast<char>(value)});
}

std::string BaudRequest(std::uint32_t baud)
{
    const std::string payload{static_cast<char>(kSetBaudRate), static_cast<char>(baud >> 24),
                              static_cast<char>(baud >> 16), static_cast<char>(baud >> 8),
                              static_cast<char>(baud)};
    return TelnetCodec::Subnegotiation(kComPort, payload);
}

// RFC 2217 counts parity from 1 (none, odd, even, mark, space) where the port counts from 0;
// stop sizes are 1, 2 and 3 for one, two and one and a half stop bits.
std::uint8_t WireParity(int parity)
{
    return static_cast<std::uint8_t>(parity + 1);
}

std::uint8_t WireStopSize(int stopBits)
{
    return stopBits == kOneStopBit ? 1 : stopBits == kTwoStopBits ? 2 : 3;
}

int StopBitsOf(std::uint8_t size)
{
    return size == 1 ? kOneStopBit : size == 2 ? kTwoStopBits : size == 3 ? 1 : -1;
}

std::uint8_t WireControl(int handshake)
{
    return handshake == kHandshakeOff ? 1 : handshake == kHandshakeSoftware ? 2 : 3;
}

int HandshakeOf(std::uint8_t control)
{
    return control == 1   ? kHandshakeOff
           : control == 2 ? kHandshakeSoftware
           : control == 3 ? kHandshakeHardware
                          : -1;
}
} // namespace

void CRfc2217Line::ResetConnection()
{
    CTcpLine::ResetConnection();
    std::lock_guard lock(m_mutex);
    m_codec = TelnetCodec();
    m_telnet = true;
    m_control = Control::Asked;
    m_ours.fill(OptionState::No);
    m_theirs.fill(OptionState::No);
    m_refused.fill(false);
    m_inForce = LineSettings();
    m_notice = 0;
}

long CRfc2217Line::SetUpConnection()
{
    std::unique_lock lock(m_mutex);
    m_ours[kComPort] = OptionState::Asked;
    lock.unlock();
    if (const long code = SendBytes(TelnetCodec::Negotiation(TelnetCodec::kWill, kComPort), kAnswerTimeoutMs))
        return code;
    lock.lock();
    const bool settled = AwaitLocked(lock, kAnswerTimeoutMs, [this] { return m_control != Control::Asked; });
    if (ClosedLocked())
        return kErrorConnectionClosed;
    const Control control = m_control;
    if (!settled) {
        // Not a word of telnet: a raw server, whose bytes must go through untouched.
        m_telnet = m_codec.SawCommand();
        m_control = Control::Unanswered;
    }
    lock.unlock();
    if (control == Control::On) {
        // Empty the server's buffers, and learn the settings in force.
        const std::string requests =
            ComPortRequest(kPurgeData, kPurgeBoth) + BaudRequest(kAskCurrent) +
            ComPortRequest(kSetDataSize, kAskCurrent) + ComPortRequest(kSetParity, kAskCurrent) +
            ComPortRequest(kSetStopSize, kAskCurrent) + ComPortRequest(kSetControl, kAskCurrent);
        const long code = Request(
            requests, {kPurgeData, kSetBaudRate, kSetDataSize, kSetParity, kSetStopSize, kSetControl});
        if (code == kErrorComPortNoAnswer)
            m_notice = code;
        else if (code != kSerialOk)
            return code;
    } else {
        m_notice = control == Control::Refused ? kErrorComPortRefused : kErrorComPortNoAnswer;
    }
    lock.lock();
    // What came before the purge belongs to no exchange of ours.
    DropPendingLocked();
    return kSerialOk;
}

long CRfc2217Line::Configure(int baud, int dataBits, int parity, int stopBits)
{
    if (!ValidSettings(baud, dataBits, parity, stopBits))
        return kErrorInvalidArg;
    if (m_notice != 0)
        return std::exchange(m_notice, 0);
    {
        std::lock_guard lock(m_mutex);
        if (m_control != Control::On)
            return kErrorLineSetOnServer;
    }
    const std::string requests = BaudRequest(static_cast<std::uint32_t>(baud)) +
                                 ComPortRequest(kSetDataSize, static_cast<std::uint8_t>(dataBits)) +
                                 ComPortRequest(kSetParity, WireParity(parity)) +
                                 ComPortRequest(kSetStopSize, WireStopSize(stopBits));
    if (const long code = Request(requests, {kSetBaudRate, kSetDataSize, kSetParity, kSetStopSize}))
        return code;
    std::lock_guard lock(m_mutex);
    const bool applied = m_inForce.baud == baud && m_inForce.dataBits == dataBits &&
                         m_inForce.parity == parity && m_inForce.stopBits == stopBits;
    return applied ? kSerialOk : kErrorSettingNotApplied;
}

long CRfc2217Line::SetHandshake(int kind)
{
    if (kind < kHandshakeOff || kind > kHandshakeSoftware)
        return kErrorInvalidArg;
    {
        std::lock_guard lock(m_mutex);
        if (m_control != Control::On)
            return kErrorLineSetOnServer;
    }
    if (const long code = Request(ComPortRequest(kSetControl, WireControl(kind)), {kSetControl}))
        return code;
    std::lock_guard lock(m_mutex);
    return m_inForce.handshake == kind ? kSerialOk : kErrorSettingNotApplied;
}

LineSettings CRfc2217Line::Settings()
{
    std::lock_guard lock(m_mutex);
    return m_control == Control::On ? m_inForce : LineSettings{};
}

long CRfc2217Line::Request(const std::string &requests, std::initializer_list<std::uint8_t> codes)
{
    std::unique_lock lock(m_mutex);
    for (const std::uint8_t code : codes)
        m_answered[code] = false;
    lock.unlock();
    if (const long code = SendBytes(requests, kAnswerTimeoutMs))
        return code;
    lock.lock();
    const auto allAnswered = [&] {
        return std::all_of(codes.begin(), codes.end(), [&](std::uint8_t code) { return m_answered[code]; });
    };
    if (AwaitLocked(lock, kAnswerTimeoutMs, allAnswered))
        return kSerialOk;
    if (ClosedLocked())
        return kErrorConnectionClosed;
    m_control = Control::Unanswered;
    return kErrorComPortNoAnswer;
}

void CRfc2217Line::Decode(const char *bytes, std::size_t count, std::string &data)
{
    if (!m_telnet) {
        data.append(bytes, count);
        return;
    }
    std::vector<TelnetCodec::Command> commands;
    m_codec.Decode(bytes, count, data, commands);
    for (const TelnetCodec::Command &command : commands) {
        if (command.verb == TelnetCodec::kSb && command.option == kComPort)
            OnComPortAnswer(command.payload);
        else if (command.verb != TelnetCodec::kSb)
            OnNegotiation(command.verb, command.option);
    }
    if (!commands.empty())
        NotifyLocked();
}

void CRfc2217Line::Encode(const char *data, std::size_t count, std::string &out)
{
    if (m_telnet)
        TelnetCodec::Escape(data, count, out);
    else
        out.append(data, count);
}

// Options are agreed to or refused as RFC 1143 has it: a request is answered only when it changes
// the state, so that two sides can never answer each other forever. Binary transmission and
// suppress-go-ahead are welcome both ways (ser2net offers them); COM port control is ours to
// perform; everything else is refused once.
void CRfc2217Line::OnNegotiation(std::uint8_t verb, std::uint8_t option)
{
    std::string reply;
    const bool enable = verb == TelnetCodec::kWill || verb == TelnetCodec::kDo;
    const bool ours = verb == TelnetCodec::kDo || verb == TelnetCodec::kDont;
    OptionState &state = ours ? m_ours[option] : m_theirs[option];
    const std::uint8_t yes = ours ? TelnetCodec::kWill : TelnetCodec::kDo;
    const std::uint8_t no = ours ? TelnetCodec::kWont : TelnetCodec::kDont;
    if (enable && Wanted(option, ours)) {
        if (state == OptionState::No)
            reply = TelnetCodec::Negotiation(yes, option);
        state = OptionState::Yes;
    } else if (enable) {
        if (!std::exchange(m_refused[option], true))
            reply = TelnetCodec::Negotiation(no, option);
    } else {
        if (state == OptionState::Yes)
            reply = TelnetCodec::Negotiation(no, option);
        state = OptionState::No;
    }
    if (ours && option == kComPort)
        m_control = enable ? Control::On : Control::Refused;
    if (!reply.empty())
        SendBytes(reply, kAnswerTimeoutMs);
}

void CRfc2217Line::OnComPortAnswer(const std::string &payload)
{
    if (payload.empty())
        return;
    const auto code = static_cast<std::uint8_t>(payload[0]);
    if (code < kAnswerOffset || code >= kAnswerOffset + m_answered.size())
        return;
    const auto request = static_cast<std::uint8_t>(code - kAnswerOffset);
    const auto byte = [&](std::size_t i) -> std::uint32_t {
        return i < payload.size() ? static_cast<std::uint8_t>(payload[i]) : 0;
    };
    switch (request) {
    case kSetBaudRate:
        m_inForce.baud = static_cast<int>(byte(1) << 24 | byte(2) << 16 | byte(3) << 8 | byte(4));
        break;
    case kSetDataSize:
        m_inForce.dataBits = static_cast<int>(byte(1));
        break;
    case kSetParity:
        m_inForce.parity = byte(1) >= 1 && byte(1) <= 5 ? static_cast<int>(byte(1)) - 1 : -1;
        break;
    case kSetStopSize:
        m_inForce.stopBits = StopBitsOf(static_cast<std::uint8_t>(byte(1)));
        break;
    case kSetControl:
        // The same request also drives break, DTR and RTS; only flow control answers are ours.
        if (const int handshake = HandshakeOf(static_cast<std::uint8_t>(byte(1))); handshake >= 0)
            m_inForce.handshake = handshake;
        break;
    default:
        break;
    }
    m_answered[request] = true;
}

} // namespace zok
