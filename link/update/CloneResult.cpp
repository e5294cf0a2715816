#include "CloneResult.h"

#include "LineText.h"
#include "ZokText.h"

#include <QSaveFile>
#include <QStringList>

namespace zok {

namespace {
constexpr int kVerifiedText = 247;
constexpr int kCancelledText = 275;
constexpr int kIdenticalText = 279;
constexpr int kDifferencesLeftText = 351;
} // namespace

const std::vector<int> &CloneColumnTextIds()
{
    // Address, firmware version, parameters written, result, then the speed column added later:
    // scripts that read the first four by position keep working.
    static const std::vector<int> ids{263, 264, 265, 266, 350};
    return ids;
}

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
    case Outcome::DifferencesLeft:
        return FillText(kDifferencesLeftText, {QString::number(LeftCount), LeftReason});
    case Outcome::Failed:
        return Failure;
    case Outcome::Cancelled:
        break;
    }
    return Text(kCancelledText);
}

QString CloneResult::SpeedText() const
{
    return OtherBaud != 0 ? QString::number(OtherBaud) : QString();
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
    QStringList headers;
    for (const int id : CloneColumnTextIds())
        headers << Text(id);
    QString csv = line(headers);
    for (const auto &result : results)
        csv += line({result.AddressText(), result.Firmware, QString::number(result.Written),
                     result.ResultText(), result.SpeedText()});
    return csv;
}

bool SaveCloneCsv(const QString &path, const std::vector<CloneResult> &results)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = QByteArrayLiteral("\xEF\xBB\xBF") + CloneCsv(results).toUtf8();
    return file.write(bytes) == bytes.size() && file.commit();
}

} // namespace zok
