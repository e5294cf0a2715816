#include "ENumericText.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {
// snprintf into a string of the right size, whatever the magnitude of the number.
template <typename... Args> QString print(const char *format, Args... args)
{
    const int size = std::snprintf(nullptr, 0, format, args...);
    std::string out(static_cast<size_t>(std::max(size, 0)) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<size_t>(std::max(size, 0)));
    return QString::fromLatin1(out);
}

// The "0x%x" form: hexadecimal after a literal "0x", read as %x would (sign and a second 0x
// prefix allowed) and taken as a signed 32-bit value; longer numbers keep their low 32 bits.
std::optional<double> scanHex(const char *p)
{
    if (p[0] != '0' || p[1] != 'x')
        return std::nullopt;
    p += 2;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && std::isxdigit(static_cast<unsigned char>(p[2])))
        p += 2;
    if (!std::isxdigit(static_cast<unsigned char>(*p)))
        return std::nullopt;
    std::uint32_t value = 0;
    for (; std::isxdigit(static_cast<unsigned char>(*p)); ++p) {
        const int c = std::tolower(static_cast<unsigned char>(*p));
        value = value * 16 + static_cast<std::uint32_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    if (negative)
        value = 0u - value;
    return static_cast<double>(static_cast<std::int32_t>(value));
}

std::optional<double> scanForms(const char *s, double current)
{
    if (auto hex = scanHex(s))
        return hex;
    double a = 0;
    double b = 0;
    if (std::sscanf(s, "%lf/%lf", &a, &b) == 2)
        return a / b;
    if (std::sscanf(s, "%lf*%lf", &a, &b) == 2)
        return a * b;
    if (std::sscanf(s, "%lf+%lf", &a, &b) == 2)
        return a + b;
    if (std::sscanf(s, "%lf-%lf", &a, &b) == 2)
        return a - b;
    if (std::sscanf(s, "%lf", &a) == 1)
        return a;
    if (std::sscanf(s, "/%lf", &a) == 1)
        return current / a;
    if (std::sscanf(s, "*%lf", &a) == 1)
        return a * current;
    return std::nullopt;
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
} // namespace

QChar ENumericText::DecimalSeparator()
{
    return print("%.1lf", 1.2).at(1);
}

QChar ENumericText::GroupingChar()
{
    return DecimalSeparator() == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
}

QString ENumericText::Format(double x, int digits, int precision, bool grouping, bool scientific)
{
    precision = std::min(precision, 100);
    if (scientific)
        return precision < 0 ? print("%e", x) : print("%1.*e", precision, x);
    QString text = precision >= 0 ? print("%.*lf", precision, x) : CutAutomatic(print("%.15lf", x), digits);
    text = DropTrailingZeros(text);
    return grouping ? Group(text) : text;
}

// Cuts after the `digits`-th digit, truncating; the integer part is always kept whole, so that a
// large value is never shown as a different, smaller number.
QString ENumericText::CutAutomatic(const QString &text, int digits)
{
    const QChar separator = DecimalSeparator();
    const qsizetype integerEnd = text.indexOf(separator) < 0 ? text.size() : text.indexOf(separator);
    int seen = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isDigit(text[i]) && ++seen == digits)
            return text.left(std::max(i + 1, integerEnd));
    }
    return text;
}

QString ENumericText::DropTrailingZeros(const QString &text)
{
    const QChar separator = DecimalSeparator();
    if (text.indexOf(separator) < 1)
        return text;
    QString out = text;
    while (out.endsWith(QLatin1Char('0')))
        out.chop(1);
    if (out.endsWith(separator))
        out.chop(1);
    return out;
}

QString ENumericText::Group(const QString &text)
{
    const qsizetype sep = text.indexOf(DecimalSeparator());
    const qsizetype integerEnd = sep < 0 ? text.size() : sep;
    qsizetype integerStart = integerEnd;
    while (integerStart > 0 && isDigit(text[integerStart - 1]))
        --integerStart;
    QString out = text.mid(integerEnd);
    for (qsizetype i = integerEnd - 1, n = 0; i >= integerStart; --i, ++n) {
        if (n > 0 && n % 3 == 0)
            out.prepend(GroupingChar());
        out.prepend(text[i]);
    }
    return text.left(integerStart) + out;
}

std::optional<double> ENumericText::Parse(const QString &text, double current)
{
    QString cleaned = text;
    cleaned.remove(QLatin1Char(' ')).remove(QLatin1Char('\t')).remove(GroupingChar());
    const std::string bytes = cleaned.toStdString();
    const std::optional<double> result = scanForms(bytes.c_str(), current);
    if (!result || !std::isfinite(*result))
        return std::nullopt;
    return result;
}
