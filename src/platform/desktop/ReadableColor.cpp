#include "ReadableColor.h"

#include <cmath>

namespace ReadableColor {

namespace {

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return 0.2126 * channel(rgb.red()) + 0.7152 * channel(rgb.green()) +
           0.0722 * channel(rgb.blue());
}

QColor mix(const QColor &from, const QColor &to, double fraction)
{
    const auto part = [fraction](int a, int b) { return int(std::lround(a + (b - a) * fraction)); };
    const QColor f = from.toRgb(), t = to.toRgb();
    return QColor(part(f.red(), t.red()), part(f.green(), t.green()), part(f.blue(), t.blue()));
}

} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor on(const QColor &background, const QColor &preferred, double minimum)
{
    if (contrast(background, preferred) >= minimum)
        return preferred;
    // Black or white always reaches it, so the search ends there at worst.
    const QColor target = luminance(background) < 0.18 ? Qt::white : Qt::black;
    constexpr int Steps = 40;
    for (int step = 1; step <= Steps; ++step) {
        const QColor candidate = mix(preferred, target, double(step) / Steps);
        if (contrast(background, candidate) >= minimum)
            return candidate;
    }
    return target;
}

QColor shade(const QPalette &palette, double fraction)
{
    return mix(palette.color(QPalette::Base), palette.color(QPalette::Text), fraction);
}

} // namespace ReadableColor
