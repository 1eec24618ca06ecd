#pragma once

#include <cmath>

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

} // namespace Twips
