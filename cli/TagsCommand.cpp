#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "LineTime.h"
#include "ToolFrames.h"

#include <QJsonArray>

#include <cstdio>

namespace zok::cli {

CommandResult RunTags(CliSession &session)
{
    CommandResult result;
    if ((result.status = session.Open()) != kSuccess)
        return result;
    CZOKExchange &engine = session.Engine();
    session.View().SetRideThrough(true);
    const bool json = session.Options().json;
    QJsonArray reports;
    session.Monitor().OnFrame([&](const QString &text, const QDateTime &received) {
        const auto report = zok::tools::ParseAnyTagReport(text, session.ReceiverAddress());
        if (!report)
            return;
        if (json) {
            reports.append(QJsonObject{{QStringLiteral("time"), IsoTime(received)},
                                       {QStringLiteral("id"), report->identifier},
                                       {QStringLiteral("level"), report->level}});
            return;
        }
        // As they come: one line each, flushed, so that a pipe sees it at once.
        std::printf("%s  %s  %d\n", IsoTime(received).toUtf8().constData(),
                    report->identifier.toUtf8().constData(), report->level);
        std::fflush(stdout);
    });
    engine.RegisterMonitor(MonitorKind::TagTracking, &session.Monitor());
    engine.EnterTagTracking();
    const WaitEnd end = session.Wait([] { return false; }, DurationMs(session.Options().durationSeconds));
    engine.EndMonitoring();
    session.Monitor().OnFrame({});
    result.json[QStringLiteral("reports")] = reports;
    // The time ran out while the port was still away: the reports stop short of it.
    if (end == WaitEnd::TimedOut && engine.WaitingForPort())
        result.status = session.PortLost();
    return result;
}

} // namespace zok::cli
