#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "CompareListing.h"
#include "FileComparison.h"
#include "LineText.h"
#include "ParameterFileInput.h"
#include "SelectedWrites.h"
#include "ZokText.h"

#include <QFile>

namespace zok::cli {

namespace {
constexpr int kDifferAfterWriteText = 323;
constexpr int kWrittenText = 344;
constexpr int kNothingToWriteText = 349;
} // namespace

CommandResult RunWrite(CliSession &session)
{
    CommandResult result;
    const CliOptions &options = session.Options();
    const QString path = options.arguments.value(0);
    CZOKProperties file;
    if ((result.status = LoadWholeParameterFile(session, path, file)) != kSuccess ||
        (result.status = session.Open()) != kSuccess ||
        (result.status = session.ReadParameters()) != kSuccess)
        return result;
    zok::FileComparison comparison =
        zok::CompareWithFile(QFile::encodeName(path).toStdString(), session.Model(), options.enableSpeed);
    auto &rows = comparison.Rows;
    // The window's Write sends every parameter the receiver supports (the speed only with speed
    // configuration); --only-different keeps the comparison's own ticks, the rows that differ.
    if (!options.onlyDifferent) {
        for (auto &row : rows)
            zok::SetTicked(row, row.Tickable);
    }
    const std::uint32_t ticked = zok::TickedParameters(rows);
    result.json[QStringLiteral("file")] = path;
    if (ticked == 0) {
        result.json[QStringLiteral("written")] = 0;
        result.json[QStringLiteral("verified")] = 0;
        result.json[QStringLiteral("parameters")] = CompareJson(rows);
        result.text = zok::Text(kNothingToWriteText) + u'\n';
        return result;
    }
    zok::ApplyTickedValues(session.Model(), rows);
    const int writeStatus = session.WriteParameters(
        options.enableSpeed, options.onlyDifferent ? std::optional<std::uint32_t>(ticked) : std::nullopt);
    if (writeStatus == kPortError || writeStatus == kInterrupted) {
        result.status = writeStatus;
        return result;
    }
    const std::uint32_t acknowledged = zok::AcknowledgedParameters(session.Engine().Session());
    // Read back whatever the write reached, so that every row says what took.
    if (const int readStatus = session.ReadParameters(); readStatus != kSuccess) {
        result.status = readStatus;
        return result;
    }
    zok::VerifyRows(rows, acknowledged, session.Model());
    const int count = zok::CountTicked(rows);
    const int verified = zok::CountVerify(rows, zok::VerifyStatus::Verified);
    result.json[QStringLiteral("written")] = count;
    result.json[QStringLiteral("verified")] = verified;
    result.json[QStringLiteral("parameters")] = CompareJson(rows);
    result.text = CompareTableText(rows, true);
    if (writeStatus != kSuccess)
        result.status = writeStatus;
    else if (verified != count)
        result.status = session.Fail(
            kDifference, FillText(kDifferAfterWriteText, {session.PortName(), session.AddressText(),
                                                          QString::number(count - verified)}));
    else
        result.text += FillText(kWrittenText, {QString::number(count)}) + u'\n';
    return result;
}

} // namespace zok::cli
