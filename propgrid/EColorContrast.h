#pragma once

#include <QColor>

#include <algorithm>
#include <cmath>

// Contrast of the grid's own colours (the orange of a selected name, the check mark) against the
// palette they are painted on, so the grid reads on light and dark desktops alike. The grid keeps
// its own copy of these few lines: it links nothing but Qt.
namespace EColorContrast {

inline double Luminance(const QColor &color)
{
    const auto linear = [](float c) {
        return c <= 0.04045f ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

inline double Ratio(const QColor &a, const QColor &b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `wanted` when it reaches `minimum` against `background`, else the same hue made darker (on a
// light background) or lighter (on a dark one) just enough, else black or white.
inline QColor Readable(const QColor &wanted, const QColor &background, double minimum)
{
    if (Ratio(wanted, background) >= minimum)
        return wanted;
    const bool darker = Ratio(Qt::black, background) >= Ratio(Qt::white, background);
    const QColor hsl = wanted.toHsl();
    const auto at = [&hsl](double l) {
        const QColor c = QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), static_cast<float>(l)).toRgb();
        return QColor(c.red(), c.green(), c.blue());
    };
    double near = hsl.lightnessF();
    double far = darker ? 0.0 : 1.0;
    if (Ratio(at(far), background) < minimum)
        return darker ? QColor(Qt::black) : QColor(Qt::white);
    while (std::abs(far - near) > 1.0 / 512) {
        const double middle = (near + far) / 2;
        (Ratio(at(middle), background) >= minimum ? far : near) = middle;
    }
    return at(far);
}

} // namespace EColorContrast
