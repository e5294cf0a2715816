#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "LinkSpeed.h"
#include "TextTable.h"
#include "ZokText.h"

#include <QJsonArray>

#include <map>

namespace zok::cli {

namespace {
constexpr int kAddressHeading = 331;
constexpr int kSpeedHeading = 332;
constexpr int kNoReceiverText = 338;
constexpr int kSpeedOnServerText = 514;
} // namespace

CommandResult RunScan(CliSession &session)
{
    CommandResult result;
    if ((result.status = session.Open()) != kSuccess)
        return result;
    CZOKExchange &engine = session.Engine();
    // Address -> speeds it answered at, in ascending order of address as the dialog's sorted list.
    std::map<int, QList<int>> found;
    int baud = 0;
    session.Monitor().OnScanAddress([&](int address) {
        if (address >= 0 && address <= 255 && !found[address].contains(baud))
            found[address].append(baud);
    });
    engine.RegisterMonitor(MonitorKind::ReceiverScan, &session.Monitor());
    const int current = session.Options().speedIndex.value_or(0);
    const int first = session.Options().allSpeeds ? 0 : current;
    const int last = session.Options().allSpeeds ? kLinkSpeedCount - 1 : current;
    for (int index = first; index <= last && !session.Interrupted(); ++index) {
        if (!engine.ChangeLinkSpeed(index, false)) {
            session.Monitor().OnScanAddress({});
            result.status = session.PortLost();
            return result;
        }
        // A line whose speed its device server sets is scanned once, at a speed not known here.
        const bool serverSpeed = engine.SpeedSetOnServer();
        baud = serverSpeed ? 0 : SpeedFromIndex(index);
        if (serverSpeed)
            index = last;
        engine.StopExchange();
        engine.StartReceiverScan();
        // Answers come for as long as one listens; the scan listens for the given time.
        const WaitEnd end = session.Wait([] { return false; }, session.Options().scanWaitMs);
        if (end == WaitEnd::PortLost) {
            session.Monitor().OnScanAddress({});
            result.status = session.PortLost();
            return result;
        }
    }
    engine.EndMonitoring();
    session.Monitor().OnScanAddress({});
    QJsonArray receivers;
    TextTable table({zok::Text(kAddressHeading), zok::Text(kSpeedHeading)});
    for (const auto &[address, speeds] : found) {
        const QString text = QString::asprintf("%.02X", unsigned(address));
        QJsonArray speedList;
        QStringList speedTexts;
        for (int speed : speeds) {
            if (speed == 0)
                continue;
            speedList.append(speed);
            speedTexts << QString::number(speed);
        }
        receivers.append(
            QJsonObject{{QStringLiteral("address"), text}, {QStringLiteral("speeds"), speedList}});
        table.AddRow({text, speedTexts.join(QStringLiteral(", "))});
    }
    result.json[QStringLiteral("receivers")] = receivers;
    result.text = table.Text();
    if (engine.SpeedSetOnServer())
        result.text += zok::Text(kSpeedOnServerText) + u'\n';
    // Cut short, the list may lack receivers that had not answered yet: a script must not take it
    // for the whole line.
    if (session.Interrupted()) {
        result.status = kInterrupted;
    } else if (found.empty()) {
        result.text.clear();
        result.status = session.Fail(kNoAnswer, zok::Text(kNoReceiverText) + QStringLiteral(": ") +
                                                    session.PortName() + QStringLiteral(", [010000]"));
    }
    return result;
}

} // namespace zok::cli
