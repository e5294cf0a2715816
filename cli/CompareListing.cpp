#include "CompareListing.h"

#include "CompareTexts.h"
#include "ParameterTable.h"
#include "TextTable.h"
#include "ZokText.h"

#include <QJsonObject>
#include <QJsonValue>

#include <algorithm>

namespace zok::cli {

namespace {
constexpr int kParameterHeading = 324;
constexpr int kReceiverHeading = 336;
constexpr int kFileHeading = 337;

QJsonValue Byte(const std::optional<std::uint8_t> &value)
{
    return value ? QJsonValue(QString::asprintf("%.02X", unsigned(*value))) : QJsonValue();
}

QString Key(const zok::CompareRow &row)
{
    return QString::fromLatin1(zok::Parameter(row.Id).Key);
}

QString StatusKey(zok::CompareStatus status)
{
    switch (status) {
    case zok::CompareStatus::Same:
        return QStringLiteral("same");
    case zok::CompareStatus::Differs:
        return QStringLiteral("differs");
    case zok::CompareStatus::NotInFile:
        return QStringLiteral("not-in-file");
    case zok::CompareStatus::NotReported:
        return QStringLiteral("not-reported");
    case zok::CompareStatus::NotSupported:
        return QStringLiteral("not-supported");
    }
    return {};
}

QString VerifyKey(zok::VerifyStatus status)
{
    switch (status) {
    case zok::VerifyStatus::NotWritten:
        return QStringLiteral("not-written");
    case zok::VerifyStatus::Verified:
        return QStringLiteral("verified");
    case zok::VerifyStatus::StillDifferent:
        return QStringLiteral("still-different");
    case zok::VerifyStatus::NotAcknowledged:
        return QStringLiteral("not-acknowledged");
    case zok::VerifyStatus::NotReadBack:
        return QStringLiteral("not-read-back");
    }
    return {};
}

QString Cell(const std::optional<std::uint8_t> &value, const QString &text)
{
    return value ? QString::asprintf("%.02X  ", unsigned(*value)) + text : QStringLiteral("-");
}
} // namespace

QJsonArray CompareJson(const std::vector<zok::CompareRow> &rows)
{
    QJsonArray array;
    for (const auto &row : rows) {
        QJsonObject object{{QStringLiteral("name"), Key(row)},
                           {QStringLiteral("status"), StatusKey(row.Status)},
                           {QStringLiteral("file"), Byte(row.FileValue)},
                           {QStringLiteral("fileText"), row.FileText},
                           {QStringLiteral("receiver"), Byte(row.ReceiverValue)},
                           {QStringLiteral("receiverText"), row.ReceiverText}};
        if (row.Ticked)
            object[QStringLiteral("verification")] = VerifyKey(row.Verify);
        array.append(object);
    }
    return array;
}

QString CompareTableText(const std::vector<zok::CompareRow> &rows, bool written)
{
    TextTable table(
        {zok::Text(kParameterHeading), zok::Text(kReceiverHeading), zok::Text(kFileHeading), QString()});
    for (const auto &row : rows) {
        if (written ? !row.Ticked : row.Status == zok::CompareStatus::Same)
            continue;
        table.AddRow({Key(row), Cell(row.ReceiverValue, row.ReceiverText), Cell(row.FileValue, row.FileText),
                      written ? zok::VerifyStatusText(row.Verify) : zok::RowStatusText(row)});
    }
    return table.Text();
}

int CountDifferences(const std::vector<zok::CompareRow> &rows)
{
    return static_cast<int>(std::count_if(
        rows.begin(), rows.end(), [](const auto &row) { return row.Status == zok::CompareStatus::Differs; }));
}

} // namespace zok::cli
