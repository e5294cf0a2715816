#include "ETextFit.h"

#include <QFontMetrics>

namespace {
const QString kDots = QStringLiteral("...");

// The text after `steps` steps of the cut, for texts of 4 or more characters: each step keeps one
// character less of the original in front of the dots.
QString afterSteps(const QString &text, qsizetype steps)
{
    return steps == 0 ? text : text.left(text.size() - 3 - steps) + kDots;
}
} // namespace

QString ETextFit::Shorten(const QString &text, int width, const QFontMetrics &fm)
{
    if (fm.horizontalAdvance(text) <= width)
        return text;
    // The cut shrinks the text by one character per step, so the steps with four or more
    // characters are searched by bisection: the first step whose text fits.
    const qsizetype longSteps = text.size() >= 4 ? text.size() - 3 : 0;
    qsizetype low = 1;
    qsizetype high = longSteps + 1;
    while (low < high) {
        const qsizetype mid = (low + high) / 2;
        if (fm.horizontalAdvance(afterSteps(text, mid)) <= width)
            high = mid;
        else
            low = mid + 1;
    }
    if (low <= longSteps)
        return afterSteps(text, low);
    QString rest = text.size() >= 4 ? kDots : text;
    while (!rest.isEmpty() && fm.horizontalAdvance(rest) > width)
        rest = QString(rest.size() - 1, QLatin1Char('.'));
    return rest;
}

QString ETextFit::ShortenWrapped(const QString &text, int width, int height, const QFontMetrics &fm)
{
    const QRect area(0, 0, std::max(width, 1), 1 << 20);
    QString result = text;
    while (fm.boundingRect(area, Qt::TextWordWrap, result).height() > height) {
        if (result.size() < 5)
            return kDots;
        result = result.left(result.size() - 4) + kDots;
    }
    return result;
}
