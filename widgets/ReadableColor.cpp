#include "ReadableColor.h"

#include <cmath>

namespace zok {

namespace {
double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

// Rounded to 8 bits a channel, so that the contrast measured is that of what is drawn.
QColor WithLightness(const QColor &hsl, double lightness)
{
    const QColor c =
        QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), static_cast<float>(lightness)).toRgb();
    return QColor(c.red(), c.green(), c.blue());
}
} // namespace

double RelativeLuminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor &wanted, const QColor &background, double minimum)
{
    if (!wanted.isValid() || !background.isValid() || ContrastRatio(wanted, background) >= minimum)
        return wanted;
    // Towards whichever end of the lightness scale contrasts more with the background.
    const bool darker = ContrastRatio(Qt::black, background) >= ContrastRatio(Qt::white, background);
    const QColor hsl = wanted.toHsl();
    double near = hsl.lightnessF();
    double far = darker ? 0.0 : 1.0;
    if (ContrastRatio(WithLightness(hsl, far), background) < minimum)
        return darker ? QColor(Qt::black) : QColor(Qt::white);
    // The contrast grows monotonically from `near` to `far`: halve the interval down to one step
    // of an 8-bit channel.
    while (std::abs(far - near) > 1.0 / 512) {
        const double middle = (near + far) / 2;
        if (ContrastRatio(WithLightness(hsl, middle), background) >= minimum)
            far = middle;
        else
            near = middle;
    }
    QColor result = WithLightness(hsl, far);
    result.setAlpha(wanted.alpha());
    return result;
}

} // namespace zok
