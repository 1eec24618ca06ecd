#pragma once

#include <QList>
#include <QRect>

// Where a window goes so that the user can reach it, from rectangles in
// pixels alone, so the rule needs no display.
namespace WindowPlacement {

// The outer frame for a window that wants wanted. It stays where it is
// while its title bar, the top titleBarHeight pixels, lies whole in height
// and at least a grip wide on one of availableScreens (the primary screen
// first); otherwise it moves onto the screen nearest to its corner, and
// there it is shrunk to fit. No window grows beyond all screens together.
QRect reachableFrame(QRect wanted, int titleBarHeight, const QList<QRect> &availableScreens);

// Pixels for twips as a list file stores them, held far beyond any screen
// rather than overflowing: a file may say 1E+30.
int pixelsFromStoredTwips(double twips);

} // namespace WindowPlacement
