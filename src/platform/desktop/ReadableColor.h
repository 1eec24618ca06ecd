#pragma once

#include <QColor>
#include <QPalette>

// Keeps a colour the program chose for its look readable in any palette: the
// colour stays where it is legible enough, and is lightened or darkened only
// as far as needed where a palette (a dark one, say) puts it on a background
// too close to it.
namespace ReadableColor {

// What accessibility guidelines ask of ordinary text (WCAG 2.1 AA).
constexpr double MinimumContrast = 4.5;

// The contrast ratio of two colours, from 1 (equal) to 21 (black and white).
double contrast(const QColor &a, const QColor &b);

// preferred where it reaches minimum contrast on background; otherwise the
// nearest shade of it toward white on a dark background, toward black on a
// light one, that does.
QColor on(const QColor &background, const QColor &preferred, double minimum = MinimumContrast);

// A grey between the palette's Base and Text, fraction of the way to Text:
// with a white Base and black Text, 31/255 gives #e0e0e0.
QColor shade(const QPalette &palette, double fraction);

} // namespace ReadableColor
