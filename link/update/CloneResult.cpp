#include "CloneResult.h"

#include "ZokText.h"

#include <QSaveFile>
#include <QStringList>

namespace zok {

namespace {
constexpr int kVerifiedText = 247;
constexpr int kAddressText = 263;
constexpr int kFirmwareText = 264;
constexpr int kWrittenText = 265;
constexpr int kResultText = 266;
constexpr int kCancelledText = 275;
constexpr int kIdenticalText = 279;
} // namespace

QString CloneResult::AddressText() const
{
    return QString::asprintf("%.02X", unsigned(Address));
}

QString CloneResult::ResultText() const
{
    switch (Result) {
    case Outcome::Verified:
        return Text(kVerifiedText);
    case Outcome::Identical:
        return Text(kIdenticalText);
    case Outcome::Failed:
        return Failure;
    case Outcome::Cancelled:
        break;
    }
    return Text(kCancelledText);
}

QString CsvField(const QString &field)
{
    const bool quote =
        field.contains(u',') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r');
    if (!quote)
        return field;
    QString quoted = field;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString CloneCsv(const std::vector<CloneResult> &results)
{
    const auto line = [](const QStringList &fields) {
        QStringList escaped;
        for (const auto &field : fields)
            escaped << CsvField(field);
        return escaped.join(u',') + QStringLiteral("\r\n");
    };
    QString csv = line({Text(kAddressText), Text(kFirmwareText), Text(kWrittenText), Text(kResultText)});
    for (const auto &result : results)
        csv += line(
            {result.AddressText(), result.Firmware, QString::number(result.Written), result.ResultText()});
    return csv;
}

bool SaveCloneCsv(const QString &path, const std::vector<CloneResult> &results)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = CloneCsv(results).toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace zok
