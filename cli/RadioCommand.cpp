#include "CLevelCsvRecord.h"
#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "LineTime.h"
#include "ToolFrames.h"
#include "ZokText.h"

#include <QDir>
#include <QJsonArray>
#include <QTimer>

#include <cstdio>

namespace zok::cli {

namespace {
// The radio dialog's own messages for its CSV record, so that both refuse and fail alike.
constexpr int kCannotOpenText = 285;
constexpr int kCannotWriteText = 287;

// The dialog's refusal, on one line: the system's reason, if any, follows it.
QString CannotOpen(const CLevelCsvRecord &csv, const QString &path)
{
    QString line = zok::Text(kCannotOpenText).arg(QDir::toNativeSeparators(path));
    if (!csv.errorString().isEmpty())
        line += QStringLiteral(" (") + csv.errorString() + u')';
    return line;
}
} // namespace

// The CSV record is the radio dialog's (same lines, same lock), so one file can take both. Text
// mode prints each reading and keeps none: a run without --duration stays the same size however
// long it lasts. Only --json keeps the readings, for its one document at the end.
CommandResult RunRadio(CliSession &session)
{
    CommandResult result;
    const CliOptions &options = session.Options();
    CLevelCsvRecord csv;
    if (!options.csvFile.isEmpty() && !csv.open(options.csvFile)) {
        result.status = session.Fail(kUsage, CannotOpen(csv, options.csvFile));
        return result;
    }
    if ((result.status = session.Open()) != kSuccess)
        return result;
    CZOKExchange &engine = session.Engine();
    session.View().SetRideThrough(true);
    QJsonArray readings;
    qint64 count = 0;
    bool csvFailed = false;
    QString csvError;
    session.Monitor().OnFrame([&](const QString &text, const QDateTime &received) {
        const auto level = zok::tools::ParseRadioFrame(text, session.ReceiverAddress());
        if (!level)
            return;
        ++count;
        if (csv.isOpen() && !csv.write(received, QStringView(text).right(2), *level)) {
            csvFailed = true;
            csvError = csv.errorString();
            csv.close();
        }
        const QString time = IsoTime(received);
        if (options.json) {
            readings.append(QJsonObject{{QStringLiteral("time"), time}, {QStringLiteral("level"), *level}});
            return;
        }
        std::printf("%s  %d\n", time.toUtf8().constData(), *level);
        std::fflush(stdout);
    });
    engine.RegisterMonitor(MonitorKind::RadioScan, &session.Monitor());
    engine.EnterRadioScan();
    const auto poll = [&] { engine.SendCommand(zok::tools::RadioPollCommand(session.ReceiverAddress())); };
    QTimer pollTimer;
    QObject::connect(&pollTimer, &QTimer::timeout, &session.Monitor(), poll);
    pollTimer.start(options.periodMs);
    poll();
    const WaitEnd end = session.Wait([&] { return csvFailed; }, DurationMs(options.durationSeconds));
    pollTimer.stop();
    engine.EndMonitoring();
    session.Monitor().OnFrame({});
    if (options.json)
        result.json[QStringLiteral("readings")] = readings;
    // The time ran out while the port was still away: the readings stop short of it.
    if (end == WaitEnd::TimedOut && engine.WaitingForPort())
        result.status = session.PortLost();
    else if (csvFailed)
        result.status = session.Fail(
            kUsage, zok::Text(kCannotWriteText).arg(QDir::toNativeSeparators(options.csvFile), csvError));
    else if (count == 0)
        result.status = session.NoAnswer(QStringLiteral("97"));
    return result;
}

} // namespace zok::cli
