#include "ToolFrames.h"

#include "HexPair.h"

namespace zok::tools {

namespace {
bool addressAccepted(int address, int receiverAddress)
{
    return receiverAddress == 0 || address == receiverAddress;
}

QString hexByte(int value)
{
    return QString::asprintf("%.02X", unsigned(value) & 0xFFU);
}

// The level, identifier and address of "LL" + identifier + "AA"; the identifier is not checked.
std::optional<TagReport> splitTagReport(QStringView text, int receiverAddress)
{
    if (text.size() <= 4)
        return std::nullopt;
    const auto address = UpperHexPair(text.right(2));
    const auto level = UpperHexPair(text.left(2));
    if (!address || !level || !addressAccepted(*address, receiverAddress))
        return std::nullopt;
    return TagReport{text.mid(2, text.size() - 4).toString(), *level, *address};
}
} // namespace

std::optional<int> ParseTagReport(QStringView text, QStringView followed, int receiverAddress)
{
    const auto report = splitTagReport(text, receiverAddress);
    if (!report || report->identifier != followed)
        return std::nullopt;
    return report->level;
}

std::optional<TagReport> ParseAnyTagReport(QStringView text, int receiverAddress)
{
    auto report = splitTagReport(text, receiverAddress);
    if (!report || report->identifier.size() % 2 != 0)
        return std::nullopt;
    for (QChar c : std::as_const(report->identifier)) {
        if (!IsUpperHexDigit(c))
            return std::nullopt;
    }
    return report;
}

std::string RadioPollCommand(int address)
{
    return (QStringLiteral(" [9700") + hexByte(address) + u']').toStdString();
}

QString FilterCommand(int code, QStringView value, int address)
{
    return u'[' + hexByte(code) + value.toString() + hexByte(address) + u']';
}

std::optional<int> ParseRadioFrame(QStringView text, int receiverAddress)
{
    if (text.size() != 6 || !text.startsWith(u"97"))
        return std::nullopt;
    const auto address = UpperHexPair(text.mid(4, 2));
    if (!address || !addressAccepted(*address, receiverAddress))
        return std::nullopt;
    return UpperHexPair(text.mid(2, 2));
}

std::optional<FilterAnswer> ParseFilterAnswer(QStringView text)
{
    if (text.size() != 6 && text.size() != 8)
        return std::nullopt;
    const QStringView pairs = text.right(6);
    if (text.size() == 8 && !text.startsWith(u"OK"))
        return std::nullopt;
    const auto address = UpperHexPair(pairs.mid(4, 2));
    if (!UpperHexPair(pairs.mid(0, 2)) || !UpperHexPair(pairs.mid(2, 2)) || !address)
        return std::nullopt;
    return FilterAnswer{pairs.mid(0, 2).toString(), pairs.mid(2, 2).toString(), *address};
}

std::optional<int> NextFilterRead(int answered, int format)
{
    switch (answered) {
    case 0xA0:
        return 0xA1;
    case 0xA1:
        return format == 1 ? 0xA3 : 0xA2;
    case 0xA2:
        return 0xA3;
    case 0xA3:
        return 0xA4;
    case 0xA4:
        return format == 2 ? std::optional<int>(0xA5) : std::nullopt;
    case 0xA5:
        return 0xA6;
    default:
        return std::nullopt;
    }
}

std::optional<int> NextFilterWrite(int acknowledged, int format)
{
    switch (acknowledged) {
    case 0xA8:
        return 0xA9;
    case 0xA9:
        return format == 1 ? 0xAB : 0xAA;
    case 0xAA:
        return 0xAB;
    case 0xAB:
        return 0xAC;
    case 0xAC:
        return format == 2 ? std::optional<int>(0xAD) : std::nullopt;
    case 0xAD:
        return 0xAE;
    default:
        return std::nullopt;
    }
}

} // namespace zok::tools
