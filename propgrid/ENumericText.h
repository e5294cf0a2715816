#pragma once

#include <QString>

#include <optional>

// The display format and the entry language of numeric rows, in the C library's number format.
class ENumericText
{
public:
    // The decimal separator of "%.1lf" (a point, or a comma under a comma locale).
    static QChar DecimalSeparator();
    // The digit grouping character: the other of point and comma.
    static QChar GroupingChar();

    // `x` as a row shows it: scientific ("%e", or `precision` decimals), fixed with `precision`
    // decimals, or automatic (precision -1: cut after `digits` digits, never rounding); then
    // trailing zeros and separator dropped, and digit grouping when asked (not scientific).
    static QString Format(double x, int digits, int precision, bool grouping, bool scientific);

    // The number an entry text stands for: 0x hex (as a signed 32-bit value), a/b, a*b, a+b, a-b,
    // a plain number, or /x and *x of `current`; blanks and grouping characters are ignored and
    // text after the number is too. Nullopt when nothing matches or the result is not finite.
    static std::optional<double> Parse(const QString &text, double current);

private:
    static QString CutAutomatic(const QString &text, int digits);
    static QString DropTrailingZeros(const QString &text);
    static QString Group(const QString &text);
};
