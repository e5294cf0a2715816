#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "HexPair.h"
#include "LineText.h"
#include "TextTable.h"
#include "ToolFrames.h"
#include "ZokText.h"

#include <QJsonValue>

#include <array>

namespace zok::cli {

namespace {
constexpr int kAnswerTimeoutMs = 1000;
constexpr int kSendings = 3;
constexpr int kBadValueText = 313;
constexpr int kDifferAfterWriteText = 323;
constexpr int kStartHeading = 340;
constexpr int kEndHeading = 341;
constexpr int kAlarmHeading = 342;
constexpr int kBitsHeading = 343;
constexpr int kYesText = 328;
constexpr int kNoText = 329;

// The ID filter registers as the dialog shows them: the six pairs A0..A5 and the alarm switch A6.
struct FilterWindow
{
    int format = 0; // 1: 16-bit identifiers, 2: 24-bit, other: unknown
    std::array<QString, 6> pairs;
    std::optional<bool> alarm;

    int Digits() const { return format == 1 ? 4 : format == 2 ? 6 : 0; }
    QString Start() const { return pairs[0] + pairs[1] + (format == 2 ? pairs[2] : QString()); }
    QString End() const { return pairs[3] + pairs[4] + (format == 2 ? pairs[5] : QString()); }
    bool operator==(const FilterWindow &) const = default;
};

// The ID filter dialog's exchanges without the dialog: each command waits for its own answer
// (code and receiver address), sent three times at most, a second apart.
class FilterExchange
{
public:
    explicit FilterExchange(CliSession &session) : m_session(session) {}

    std::optional<zok::tools::FilterAnswer> Ask(int code, QStringView value)
    {
        const int address = m_session.ReceiverAddress();
        const QString command = zok::tools::FilterCommand(code, value, address);
        const QString codeText = command.mid(1, 2);
        std::optional<zok::tools::FilterAnswer> answer;
        m_session.Monitor().OnFrame([&](const QString &text, const QDateTime &) {
            const auto parsed = zok::tools::ParseFilterAnswer(text);
            if (parsed && parsed->code == codeText && parsed->address == address)
                answer = parsed;
        });
        // The handler refers to this call's answer: it must not outlive it.
        const std::unique_ptr<FrameMonitor, void (*)(FrameMonitor *)> detach(
            &m_session.Monitor(), [](FrameMonitor *monitor) { monitor->OnFrame({}); });
        for (int sending = 0; sending < kSendings; ++sending) {
            m_session.Engine().SendCommand((u' ' + command).toStdString());
            const WaitEnd end = m_session.Wait([&] { return answer.has_value(); }, kAnswerTimeoutMs);
            if (end == WaitEnd::Done)
                break;
            if (end != WaitEnd::TimedOut) {
                m_status = end == WaitEnd::Interrupted ? kInterrupted : m_session.PortLost();
                return std::nullopt;
            }
        }
        if (!answer)
            m_status = m_session.NoAnswer(codeText);
        return answer;
    }

    std::optional<FilterWindow> Read()
    {
        FilterWindow window;
        const auto format = Ask(0x10, u"00");
        if (!format)
            return std::nullopt;
        window.format = format->value.toInt(nullptr, 16);
        for (std::optional<int> code = 0xA0; code; code = zok::tools::NextFilterRead(*code, window.format)) {
            const auto answer = Ask(*code, u"00");
            if (!answer)
                return std::nullopt;
            if (*code == 0xA6)
                window.alarm = answer->value == u"01";
            else
                window.pairs[static_cast<std::size_t>(*code - 0xA0)] = answer->value;
        }
        return window;
    }

    bool Write(const FilterWindow &window)
    {
        for (std::optional<int> code = 0xA8; code; code = zok::tools::NextFilterWrite(*code, window.format)) {
            const QString value = *code == 0xAE
                                      ? QString::fromLatin1(window.alarm.value_or(false) ? "01" : "00")
                                      : window.pairs[static_cast<std::size_t>(*code - 0xA8)];
            if (!Ask(*code, value))
                return false;
        }
        return true;
    }

    int Status() const { return m_status; }

private:
    CliSession &m_session;
    int m_status = kSuccess;
};

bool IsHex(const QString &text)
{
    for (QChar c : text) {
        if (!zok::tools::IsUpperHexDigit(c))
            return false;
    }
    return true;
}

// START and END into the pairs; an error line when they do not fit the receiver's identifiers.
QString ApplyRange(FilterWindow &window, const QString &start, const QString &end)
{
    const int digits = window.Digits();
    for (const auto &[name, text] :
         {std::pair{QStringLiteral("START"), start}, std::pair{QStringLiteral("END"), end}}) {
        if (digits == 0 || text.size() != digits || !IsHex(text))
            return FillText(kBadValueText, {name, text});
    }
    for (std::size_t i = 0; i < 3; ++i) {
        window.pairs[i] = start.mid(static_cast<qsizetype>(i) * 2, 2);
        window.pairs[i + 3] = end.mid(static_cast<qsizetype>(i) * 2, 2);
    }
    return {};
}

void Describe(const FilterWindow &window, CommandResult &result)
{
    const int bits = window.format == 1 ? 16 : window.format == 2 ? 24 : 0;
    result.json[QStringLiteral("bits")] = bits != 0 ? QJsonValue(bits) : QJsonValue();
    result.json[QStringLiteral("start")] = window.Start();
    result.json[QStringLiteral("end")] = window.End();
    result.json[QStringLiteral("alarm")] = window.alarm ? QJsonValue(*window.alarm) : QJsonValue();
    TextTable table({zok::Text(kBitsHeading), bits != 0 ? QString::number(bits) : QStringLiteral("?")});
    table.AddRow({zok::Text(kStartHeading), window.Start()});
    table.AddRow({zok::Text(kEndHeading), window.End()});
    if (window.alarm)
        table.AddRow({zok::Text(kAlarmHeading), zok::Text(*window.alarm ? kYesText : kNoText)});
    result.text = table.Text();
}
} // namespace

CommandResult RunFilter(CliSession &session)
{
    CommandResult result;
    const CliOptions &options = session.Options();
    const QString action = options.arguments.value(0);
    if ((result.status = session.Open()) != kSuccess)
        return result;
    session.Engine().RegisterMonitor(MonitorKind::IdFilter, &session.Monitor());
    session.Engine().EnterIdFilter();
    FilterExchange exchange(session);
    auto window = exchange.Read();
    if (!window) {
        result.status = exchange.Status();
        return result;
    }
    if (action == u"get") {
        Describe(*window, result);
        return result;
    }
    FilterWindow wanted = *window;
    const bool reset = action == u"reset";
    const QString error =
        reset
            ? ApplyRange(wanted, QString(wanted.Digits(), u'0'), QString(wanted.Digits(), u'F'))
            : ApplyRange(wanted, options.arguments.value(1).toUpper(), options.arguments.value(2).toUpper());
    if (!error.isEmpty()) {
        result.status = session.Fail(kUsage, error);
        return result;
    }
    if (options.alarm) {
        // Only 24-bit receivers have the alarm switch.
        if (wanted.format != 2) {
            result.status = session.Fail(
                kUsage,
                FillText(kBadValueText, {QStringLiteral("--alarm"),
                                         *options.alarm ? QStringLiteral("on") : QStringLiteral("off")}));
            return result;
        }
        wanted.alarm = options.alarm;
    }
    if (!exchange.Write(wanted) || !(window = exchange.Read())) {
        result.status = exchange.Status();
        return result;
    }
    Describe(*window, result);
    if (!(*window == wanted)) {
        result.status = session.Fail(
            kDifference, FillText(kDifferAfterWriteText,
                                  {session.PortName(), session.AddressText(), QStringLiteral("ID filter")}));
    }
    return result;
}

} // namespace zok::cli
