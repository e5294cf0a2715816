#include "CliOptions.h"
#include "Commands.h"
#include "SerialPortList.h"
#include "TextTable.h"
#include "ZokText.h"

#include <QJsonArray>

#include <algorithm>

namespace zok::cli {

namespace {
constexpr int kNoPortFoundText = 345;
constexpr int kPortHeading = 449;
constexpr int kDescriptionHeading = 450;
constexpr int kSerialNumberHeading = 451;
constexpr int kStableNameHeading = 452;

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

QJsonObject PortJson(const zok::SerialPortInfo &port)
{
    return {{QStringLiteral("port"), Q(port.path)},
            {QStringLiteral("description"), Q(port.Description())},
            {QStringLiteral("manufacturer"), Q(port.manufacturer)},
            {QStringLiteral("product"), Q(port.product)},
            {QStringLiteral("serialNumber"), Q(port.serialNumber)},
            {QStringLiteral("vendorId"), Q(port.vendorId)},
            {QStringLiteral("productId"), Q(port.productId)},
            {QStringLiteral("friendlyName"), Q(port.friendlyName)},
            {QStringLiteral("byId"), Q(port.byId)},
            {QStringLiteral("byPath"), Q(port.byPath)},
            {QStringLiteral("stableName"), Q(port.StableName())}};
}
} // namespace

// The port dialog's list and what it shows of each port: the description, the serial number and
// the name the dialog would keep in ZOK.ini (when it is not the device path itself).
CommandResult RunPorts(const CliOptions &)
{
    std::vector<zok::SerialPortInfo> ports = zok::ListSerialPortInfo();
    std::sort(ports.begin(), ports.end(), [](const auto &a, const auto &b) { return Q(a.path) < Q(b.path); });
    CommandResult result;
    QJsonArray list;
    TextTable table({zok::Text(kPortHeading), zok::Text(kDescriptionHeading), zok::Text(kSerialNumberHeading),
                     zok::Text(kStableNameHeading)});
    for (const auto &port : ports) {
        list.append(PortJson(port));
        const std::string stable = port.StableName();
        table.AddRow({Q(port.path), Q(port.Description()), Q(port.serialNumber),
                      stable == port.path ? QString() : Q(stable)});
    }
    result.json[QStringLiteral("ports")] = list;
    result.text = ports.empty() ? zok::Text(kNoPortFoundText) + u'\n' : table.Text();
    return result;
}

} // namespace zok::cli
