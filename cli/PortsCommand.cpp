#include "CliOptions.h"
#include "Commands.h"
#include "SerialPortList.h"
#include "ZokText.h"

#include <QJsonArray>

#include <algorithm>

namespace zok::cli {

namespace {
constexpr int kNoPortFoundText = 345;
}

CommandResult RunPorts(const CliOptions &)
{
    // The port dialog's list: the kernel's ports, sorted as the dialog sorts them.
    QStringList ports;
    for (const std::string &port : zok::ListSerialPorts())
        ports << QString::fromStdString(port);
    std::sort(ports.begin(), ports.end());
    CommandResult result;
    result.json[QStringLiteral("ports")] = QJsonArray::fromStringList(ports);
    result.text = ports.isEmpty() ? zok::Text(kNoPortFoundText) + u'\n' : ports.join(u'\n') + u'\n';
    return result;
}

} // namespace zok::cli
