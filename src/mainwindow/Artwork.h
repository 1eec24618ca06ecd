#pragma once

#include <QIcon>
#include <QPixmap>

// Pictures the program draws itself instead of shipping bitmaps.
namespace Artwork {

// 16 x 16: a green triangle pointing right, outlined in black, on light grey.
QPixmap rowMarker();
// A two-coloured capsule.
QIcon windowIcon();

} // namespace Artwork
