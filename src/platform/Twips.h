#pragma once

#include <QRect>

#include <cmath>

// A place and size in twips.
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TwipsRect &) const = default;
};

// Sizes are kept in twips, 1440 to the inch: 15 to a pixel at 96 dpi. Qt's
// logical pixels are 96-dpi pixels scaled for high-dpi screens, so the
// conversion stays a plain factor.
namespace Twips {

constexpr int PerPixel = 15;

inline int toPixels(double twips)
{
    return int(std::lround(twips / PerPixel));
}

inline double fromPixels(double pixels)
{
    return pixels * PerPixel;
}

inline QRect toPixels(const TwipsRect &rect)
{
    return {toPixels(rect.left), toPixels(rect.top), toPixels(rect.width), toPixels(rect.height)};
}

inline TwipsRect fromPixels(const QRect &rect)
{
    return {rect.x() * PerPixel, rect.y() * PerPixel, rect.width() * PerPixel,
            rect.height() * PerPixel};
}

} // namespace Twips
