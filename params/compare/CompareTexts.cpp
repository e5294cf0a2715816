#include "CompareTexts.h"

#include "ZokText.h"

namespace zok {

namespace {

constexpr int kSpeedConfigurationOffText = 251;

} // namespace

QString CompareStatusText(CompareStatus status)
{
    switch (status) {
    case CompareStatus::Same:
        return Text(242);
    case CompareStatus::Differs:
        return Text(243);
    case CompareStatus::NotInFile:
        return Text(244);
    case CompareStatus::NotReported:
        return Text(246);
    case CompareStatus::NotSupported:
        break;
    }
    return Text(245);
}

QString VerifyStatusText(VerifyStatus status)
{
    switch (status) {
    case VerifyStatus::Verified:
        return Text(247);
    case VerifyStatus::StillDifferent:
        return Text(248);
    case VerifyStatus::NotAcknowledged:
        return Text(249);
    case VerifyStatus::NotReadBack:
        return Text(250);
    case VerifyStatus::NotWritten:
        break;
    }
    return {};
}

QString RowStatusText(const CompareRow &row)
{
    const QString status = CompareStatusText(row.Status);
    const bool speedBlocked = row.Id == ParameterId::RX_VITESSE && !row.Tickable &&
                              (row.Status == CompareStatus::Same || row.Status == CompareStatus::Differs);
    return speedBlocked
               ? status + QStringLiteral(" (") + Text(kSpeedConfigurationOffText) + QStringLiteral(")")
               : status;
}

} // namespace zok
