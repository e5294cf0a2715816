#include "ParameterListing.h"

#include "CZOKProperties.h"
#include "ParameterTable.h"
#include "ParameterText.h"
#include "ParameterWire.h"
#include "TextTable.h"
#include "ZokText.h"

#include <QJsonObject>

namespace zok::cli {

namespace {
constexpr int kParameterHeading = 324;
constexpr int kWireHeading = 325;
constexpr int kTextHeading = 326;
constexpr int kSupportedHeading = 327;
constexpr int kYesText = 328;
constexpr int kNoText = 329;
} // namespace

QString WireText(const CZOKProperties &model, int parameterIndex)
{
    const ParameterId id = zok::Parameters()[static_cast<std::size_t>(parameterIndex)].Id;
    return QString::asprintf("%.02X", unsigned(zok::WireValueOf(id, model.Value(id))));
}

QJsonArray ParameterJson(const CZOKProperties &model)
{
    QJsonArray rows;
    int index = 0;
    for (const auto &info : zok::Parameters()) {
        QJsonObject row;
        row[QStringLiteral("name")] = QString::fromLatin1(info.Key);
        row[QStringLiteral("wire")] = WireText(model, index++);
        row[QStringLiteral("text")] = zok::ParameterDisplayText(model, info.Id);
        row[QStringLiteral("supported")] = model.IsParameterSupported(info.Id);
        rows.append(row);
    }
    return rows;
}

QString ParameterTableText(const CZOKProperties &model)
{
    TextTable table({zok::Text(kParameterHeading), zok::Text(kWireHeading), zok::Text(kSupportedHeading),
                     zok::Text(kTextHeading)});
    int index = 0;
    for (const auto &info : zok::Parameters()) {
        table.AddRow({QString::fromLatin1(info.Key), WireText(model, index++),
                      zok::Text(model.IsParameterSupported(info.Id) ? kYesText : kNoText),
                      zok::ParameterDisplayText(model, info.Id)});
    }
    return table.Text();
}

} // namespace zok::cli
