#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "LineText.h"
#include "LineTime.h"
#include "ToolFrames.h"

#include <QFile>
#include <QJsonArray>
#include <QTimer>

#include <cstdio>

namespace zok::cli {

namespace {
constexpr int kCannotWriteText = 322;

// Appends to the CSV file one complete line per reading, each written and flushed at once, so
// that an interruption at any moment leaves only whole lines ("time,level", CR LF line ends).
class CsvLog
{
public:
    explicit CsvLog(const QString &path) : m_file(path) {}

    bool Open()
    {
        if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
            return false;
        return m_file.size() > 0 || Write(QByteArrayLiteral("time,level\r\n"));
    }
    bool Write(const QByteArray &line) { return m_file.write(line) == line.size() && m_file.flush(); }

private:
    QFile m_file;
};
} // namespace

CommandResult RunRadio(CliSession &session)
{
    CommandResult result;
    const CliOptions &options = session.Options();
    std::optional<CsvLog> csv;
    if (!options.csvFile.isEmpty()) {
        csv.emplace(options.csvFile);
        if (!csv->Open()) {
            result.status = session.Fail(kUsage, FillText(kCannotWriteText, {options.csvFile}));
            return result;
        }
    }
    if ((result.status = session.Open()) != kSuccess)
        return result;
    CZOKExchange &engine = session.Engine();
    session.View().SetRideThrough(true);
    QJsonArray readings;
    bool csvFailed = false;
    session.Monitor().OnFrame([&](const QString &text, const QDateTime &received) {
        const auto level = zok::tools::ParseRadioFrame(text, session.ReceiverAddress());
        if (!level)
            return;
        const QString time = IsoTime(received);
        readings.append(QJsonObject{{QStringLiteral("time"), time}, {QStringLiteral("level"), *level}});
        if (csv && !csvFailed)
            csvFailed =
                !csv->Write((time + u',' + QString::number(*level) + QStringLiteral("\r\n")).toUtf8());
        if (!options.json) {
            std::printf("%s  %d\n", time.toUtf8().constData(), *level);
            std::fflush(stdout);
        }
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
    result.json[QStringLiteral("readings")] = readings;
    // The time ran out while the port was still away: the readings stop short of it.
    if (end == WaitEnd::TimedOut && engine.WaitingForPort())
        result.status = session.PortLost();
    else if (csvFailed)
        result.status = session.Fail(kUsage, FillText(kCannotWriteText, {options.csvFile}));
    else if (readings.isEmpty())
        result.status = session.NoAnswer(QStringLiteral("97"));
    return result;
}

} // namespace zok::cli
