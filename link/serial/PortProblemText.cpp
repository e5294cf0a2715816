#include "PortProblemText.h"

#include "CRfc2217Line.h"
#include "NetworkPortName.h"
#include "SerialConstants.h"
#include "ZokText.h"

#include <QStringList>

namespace zok {

namespace {
constexpr int kPortNameText = 500;
constexpr int kHostNotFoundText = 509;
constexpr int kRefusedText = 510;
constexpr int kTimeoutText = 511;
constexpr int kUnreachableText = 512;
constexpr int kClosedText = 513;
constexpr int kSetOnServerText = 514;
constexpr int kComPortRefusedText = 515;
constexpr int kComPortNoAnswerText = 516;
constexpr int kNotAppliedText = 517;

// The table's "%s" fields filled in order with data taken as it is.
QString Fill(int textId, const QStringList &values)
{
    QString text = zok::Text(textId);
    qsizetype from = 0;
    for (const QString &value : values) {
        const qsizetype at = text.indexOf(QLatin1String("%s"), from);
        if (at < 0)
            break;
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

int ProblemTextId(PortNameProblem problem)
{
    switch (problem) {
    case PortNameProblem::UnknownScheme:
        return 501;
    case PortNameProblem::MissingHost:
        return 502;
    case PortNameProblem::MissingPort:
        return 503;
    case PortNameProblem::BadPort:
        return 504;
    case PortNameProblem::BareIpv6:
        return 505;
    case PortNameProblem::BadIpv6:
        return 506;
    case PortNameProblem::BadHostCharacter:
        return 507;
    case PortNameProblem::TrailingText:
        return 508;
    case PortNameProblem::None:
        break;
    }
    return 0;
}

QString Seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', 3);
}
} // namespace

QString PortNameProblemText(const QString &portName)
{
    const std::string name = portName.toStdString();
    NetworkPortName parsed;
    if (!IsNetworkPortName(name))
        return {};
    const int problem = ProblemTextId(ParseNetworkPortName(name, parsed));
    return problem == 0 ? QString() : Fill(kPortNameText, {portName, zok::Text(problem)});
}

QString PortProblemText(long code, const QString &portName)
{
    NetworkPortName name;
    if (code == kErrorBadPortName)
        return PortNameProblemText(portName);
    if (ParseNetworkPortName(portName.toStdString(), name) != PortNameProblem::None)
        return {};
    const QString server = QString::fromStdString(name.HostAndPort());
    switch (code) {
    case kErrorHostNotFound:
        return Fill(kHostNotFoundText, {QString::fromStdString(name.host)});
    case kErrorConnectionRefused:
        return Fill(kRefusedText, {server});
    case kErrorConnectTimeout:
        return Fill(kTimeoutText, {server, Seconds(CTcpLine::kConnectTimeoutMs)});
    case kErrorHostUnreachable:
        return Fill(kUnreachableText, {server});
    case kErrorConnectionClosed:
        return Fill(kClosedText, {server});
    case kErrorLineSetOnServer:
        return zok::Text(kSetOnServerText);
    case kErrorComPortRefused:
        return Fill(kComPortRefusedText, {server});
    case kErrorComPortNoAnswer:
        return Fill(kComPortNoAnswerText, {server, Seconds(CRfc2217Line::kAnswerTimeoutMs)});
    case kErrorSettingNotApplied:
        return Fill(kNotAppliedText, {server});
    default:
        return {};
    }
}

} // namespace zok
