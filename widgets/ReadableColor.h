#pragma once

#include <QColor>

// Colours that stay readable on whatever palette the desktop gives: the program's own colours
// (line colours, bar colours) are kept where they contrast enough with their background, and
// otherwise moved to the nearest lightness of the same hue that does.
namespace zok {

// Contrast of text and non-text parts against their background (the WCAG levels): normal text,
// and graphical objects such as bars and plot lines.
constexpr double kTextContrast = 4.5;
constexpr double kGraphicContrast = 3.0;

// Relative luminance (sRGB, 0 black .. 1 white) and the contrast ratio of two colours (1..21).
double RelativeLuminance(const QColor &color);
double ContrastRatio(const QColor &a, const QColor &b);

// `wanted` when it contrasts at least `minimum` with `background`; otherwise the colour of the
// same hue and saturation, darker on a light background and lighter on a dark one, that is
// closest to `wanted` and reaches `minimum` (black or white when no lightness of the hue does).
QColor ReadableOn(const QColor &wanted, const QColor &background, double minimum);

} // namespace zok
