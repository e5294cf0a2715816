#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zok {

// A receiver line behind a device server: "tcp://HOST:PORT" carries the bytes as they are (the
// server keeps the line's settings), "rfc2217://HOST:PORT" speaks telnet with the COM port
// control option, so that the program sets the line itself. HOST is a host name, an IPv4
// address or an IPv6 address in brackets ("[::1]").
enum class NetworkScheme { Tcp, Rfc2217 };

struct NetworkPortName
{
    NetworkScheme scheme = NetworkScheme::Tcp;
    std::string host; // without the brackets of an IPv6 address
    std::uint16_t port = 0;

    // "HOST:PORT", with the brackets back around an IPv6 address.
    std::string HostAndPort() const;
};

// What is wrong with a name that has the form of a network port name but does not parse.
enum class PortNameProblem {
    None,
    UnknownScheme,    // "udp://..."
    MissingHost,      // "tcp://:4001"
    MissingPort,      // "tcp://box"
    BadPort,          // not a number from 1 to 65535
    BareIpv6,         // "tcp://::1:4001": an IPv6 address needs its brackets
    BadIpv6,          // brackets that hold no IPv6 address, or no closing bracket
    BadHostCharacter, // a host name may hold letters, digits, '.', '-' and '_'
    TrailingText,     // "tcp://box:4001/x"
};

// Whether the name is meant as a network port: it holds "://". Any such name goes to the network
// backends, so that "udp://box:1" is refused with a reason instead of looked for under /dev.
bool IsNetworkPortName(std::string_view name);

// Parses "scheme://HOST:PORT" (the scheme in any case). On success fills `out` and returns None.
PortNameProblem ParseNetworkPortName(std::string_view name, NetworkPortName &out);

} // namespace zok
