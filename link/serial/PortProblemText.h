#pragma once

#include <QString>

namespace zok {

// The message of a result code that a network line words itself (NetErrors.h and the network
// codes of SerialConstants.h), naming the port's device server; empty for the system's codes and
// the serial layer's own, which the callers word themselves.
QString PortProblemText(long code, const QString &portName);

// What is wrong with a network port name, as "Port name ...: the TCP port is missing"; empty when
// the name is no network port name or parses.
QString PortNameProblemText(const QString &portName);

} // namespace zok
