#include "NetworkPortName.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zok {

namespace {
constexpr std::string_view kSeparator = "://";

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsHostNameCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
}

bool IsIpv6Character(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.';
}

// Splits "HOST..." into the host and what follows it (":PORT" when well formed).
PortNameProblem SplitHost(std::string_view rest, std::string &host, std::string_view &after)
{
    if (!rest.empty() && rest.front() == '[') {
        const std::size_t close = rest.find(']');
        if (close == std::string_view::npos)
            return PortNameProblem::BadIpv6;
        const std::string_view address = rest.substr(1, close - 1);
        if (address.find(':') == std::string_view::npos ||
            !std::all_of(address.begin(), address.end(), IsIpv6Character))
            return PortNameProblem::BadIpv6;
        host = address;
        after = rest.substr(close + 1);
        return PortNameProblem::None;
    }
    const std::size_t colon = rest.find(':');
    const std::string_view name = rest.substr(0, colon);
    after = colon == std::string_view::npos ? std::string_view() : rest.substr(colon);
    if (after.find(':', 1) != std::string_view::npos)
        return PortNameProblem::BareIpv6;
    if (name.empty())
        return PortNameProblem::MissingHost;
    if (!std::all_of(name.begin(), name.end(), IsHostNameCharacter))
        return PortNameProblem::BadHostCharacter;
    host = name;
    return PortNameProblem::None;
}

// ":PORT" and nothing after it.
PortNameProblem ParsePort(std::string_view after, std::uint16_t &port)
{
    if (after.empty() || after == ":")
        return PortNameProblem::MissingPort;
    if (after.front() != ':')
        return PortNameProblem::MissingPort; // "[::1]4001"
    const std::string_view digits = after.substr(1);
    unsigned value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    const std::size_t used = static_cast<std::size_t>(end - digits.data());
    if (used == 0 || error != std::errc() || value == 0 || value > 65535)
        return PortNameProblem::BadPort;
    if (used < digits.size())
        return digits[used] == '/' ? PortNameProblem::TrailingText : PortNameProblem::BadPort;
    port = static_cast<std::uint16_t>(value);
    return PortNameProblem::None;
}
} // namespace

std::string NetworkPortName::HostAndPort() const
{
    const bool v6 = host.find(':') != std::string::npos;
    return (v6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

bool IsNetworkPortName(std::string_view name)
{
    return name.find(kSeparator) != std::string_view::npos;
}

PortNameProblem ParseNetworkPortName(std::string_view name, NetworkPortName &out)
{
    const std::size_t separator = name.find(kSeparator);
    if (separator == std::string_view::npos)
        return PortNameProblem::UnknownScheme;
    const std::string_view scheme = name.substr(0, separator);
    NetworkPortName parsed;
    if (EqualsIgnoringCase(scheme, "tcp"))
        parsed.scheme = NetworkScheme::Tcp;
    else if (EqualsIgnoringCase(scheme, "rfc2217"))
        parsed.scheme = NetworkScheme::Rfc2217;
    else
        return PortNameProblem::UnknownScheme;
    std::string_view after;
    if (const PortNameProblem problem =
            SplitHost(name.substr(separator + kSeparator.size()), parsed.host, after);
        problem != PortNameProblem::None)
        return problem;
    if (const PortNameProblem problem = ParsePort(after, parsed.port); problem != PortNameProblem::None)
        return problem;
    out = std::move(parsed);
    return PortNameProblem::None;
}

} // namespace zok
