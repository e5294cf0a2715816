#pragma once

#include <QString>

class QFontMetrics;

// Fitting texts into cells and panes by cutting their end and marking the cut with "...".
class ETextFit
{
public:
    // Shortens a single-line text to `width` pixels: while too wide, the last four characters
    // become "..." (one character less per step); texts of 1 to 3 characters become one dot
    // fewer than their length, down to the empty text.
    static QString Shorten(const QString &text, int width, const QFontMetrics &fm);
    // Shortens a word-wrapped text until it fits `height` pixels at `width`: the last four
    // characters become "..." per step; a text of fewer than 5 characters becomes "...".
    static QString ShortenWrapped(const QString &text, int width, int height, const QFontMetrics &fm);
};
