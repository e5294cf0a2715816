// zok-cli clone: the window's Clone to All Receivers, on the same widget-free batch.
#include "CCloneBatch.h"
#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "LineText.h"
#include "ParameterFileInput.h"
#include "ParameterTable.h"
#include "TextTable.h"
#include "ZokText.h"

#include <QEventLoop>
#include <QJsonArray>

#include <algorithm>

namespace zok::cli {

namespace {
constexpr int kScanningText = 262;
constexpr int kReceiverText = 269;
constexpr int kCannotWriteText = 322;
constexpr int kNoReceiverText = 338;

QString OutcomeName(zok::CloneResult::Outcome outcome)
{
    switch (outcome) {
    case zok::CloneResult::Outcome::Verified:
        return QStringLiteral("verified");
    case zok::CloneResult::Outcome::Identical:
        return QStringLiteral("identical");
    case zok::CloneResult::Outcome::DifferencesLeft:
        return QStringLiteral("differencesLeft");
    case zok::CloneResult::Outcome::Failed:
        return QStringLiteral("failed");
    case zok::CloneResult::Outcome::Cancelled:
        break;
    }
    return QStringLiteral("cancelled");
}

QJsonArray ResultsJson(const std::vector<zok::CloneResult> &results)
{
    QJsonArray rows;
    for (const auto &r : results) {
        QJsonObject row{{QStringLiteral("address"), r.AddressText()},
                        {QStringLiteral("firmware"), r.Firmware},
                        {QStringLiteral("written"), r.Written},
                        {QStringLiteral("result"), OutcomeName(r.Result)},
                        {QStringLiteral("text"), r.ResultText()}};
        if (r.OtherBaud != 0)
            row[QStringLiteral("speed")] = r.OtherBaud;
        rows.append(row);
    }
    return rows;
}

// The dialog's columns; the speed column only when a receiver was left at another speed.
QString ResultsText(const std::vector<zok::CloneResult> &results)
{
    const auto &ids = zok::CloneColumnTextIds();
    const bool speeds =
        std::ranges::any_of(results, [](const zok::CloneResult &r) { return r.OtherBaud != 0; });
    const auto columns = static_cast<qsizetype>(ids.size()) - (speeds ? 0 : 1);
    QStringList headings;
    for (qsizetype i = 0; i < columns; ++i)
        headings << zok::Text(ids[static_cast<std::size_t>(i)]);
    TextTable table(headings);
    for (const auto &r : results) {
        const bool cancelled = r.Result == zok::CloneResult::Outcome::Cancelled;
        table.AddRow(QStringList{r.AddressText(), r.Firmware,
                                 cancelled ? QString() : QString::number(r.Written), r.ResultText(),
                                 r.SpeedText()}
                         .first(columns));
    }
    // Without the padding that an empty last cell leaves.
    QStringList lines = table.Text().split(u'\n');
    for (auto &line : lines) {
        while (line.endsWith(u' '))
            line.chop(1);
    }
    return lines.join(u'\n');
}

// The progress line on a terminal: which receiver the batch is at.
void ShowProgress(CliSession &session, zok::CCloneBatch &batch)
{
    ConsoleView &view = session.View();
    QObject::connect(&batch, &zok::CCloneBatch::ReceiverStarted, &view, [&view, &batch](int index) {
        const auto &results = batch.Results();
        view.AddMessage(
            LineColour::Blue,
            FillText(kReceiverText, {results[static_cast<std::size_t>(index)].AddressText(),
                                     QString::number(index + 1), QString::number(results.size())}));
    });
    view.AddMessage(LineColour::Blue, zok::Text(kScanningText));
}

// Runs the batch to its end. Ctrl+C or a lost port stop it after the receiver in progress; the
// batch then still restores the line's speed.
WaitEnd RunBatch(CliSession &session, zok::CCloneBatch &batch)
{
    // A waiting command looks at the batch again when the view reports activity.
    QObject::connect(&batch, &zok::CCloneBatch::Finished, &session.View(), &ConsoleView::Activity);
    const WaitEnd end = session.Wait([&batch] { return !batch.Running(); }, -1);
    if (!batch.Running())
        return end;
    batch.Cancel();
    QEventLoop loop;
    QObject::connect(&batch, &zok::CCloneBatch::Finished, &loop, &QEventLoop::quit);
    loop.exec();
    return end;
}

int CloneStatus(CliSession &session, WaitEnd end, const std::vector<zok::CloneResult> &results)
{
    if (end == WaitEnd::Interrupted)
        return kInterrupted;
    if (end == WaitEnd::PortLost)
        return session.PortLost();
    if (results.empty())
        return session.Fail(kNoAnswer, zok::Text(kNoReceiverText) + QStringLiteral(": ") +
                                           session.PortName() + QStringLiteral(", [010000]"));
    const bool allHold = std::ranges::all_of(results, &zok::CloneResult::Holds);
    return allHold ? kSuccess : kDifference;
}

} // namespace

CommandResult RunClone(CliSession &session)
{
    CommandResult result;
    const CliOptions &options = session.Options();
    const QString path = options.arguments.value(0);
    CZOKProperties file = session.Model();
    if ((result.status = LoadWholeParameterFile(session, path, file)) != kSuccess ||
        (result.status = session.Open()) != kSuccess)
        return result;
    CZOKExchange &engine = session.Engine();
    if (engine.SpeedConfigurationEnabled() != options.enableSpeed)
        engine.ToggleSpeedConfiguration();
    zok::CCloneBatch batch(
        engine, session.Model(), [&session](std::uint8_t address) { session.SelectReceiver(address); },
        session.ReceiverAddress());
    ShowProgress(session, batch);
    batch.Start(file, zok::AllParametersMask());
    const WaitEnd end = RunBatch(session, batch);

    const auto &results = batch.Results();
    result.status = CloneStatus(session, end, results);
    result.json[QStringLiteral("file")] = path;
    result.json[QStringLiteral("receivers")] = ResultsJson(results);
    if (results.empty())
        return result;
    result.json[QStringLiteral("summary")] = batch.SummaryText();
    result.text = ResultsText(results) + batch.SummaryText() + u'\n';
    if (options.csvFile.isEmpty())
        return result;
    if (!zok::SaveCloneCsv(options.csvFile, results)) {
        const int failed = session.Fail(kUsage, FillText(kCannotWriteText, {options.csvFile}));
        if (result.status == kSuccess || result.status == kDifference)
            result.status = failed;
        return result;
    }
    result.json[QStringLiteral("csv")] = options.csvFile;
    return result;
}

} // namespace zok::cli
