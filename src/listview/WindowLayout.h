#pragma once

#include "Twips.h"

#include <QSize>

// Places and sizes in twips of the controls that follow the window's size.
struct MainWindowPlacement
{
    TwipsRect picture1;
    TwipsRect picture2;
    TwipsRect grid1;
    TwipsRect label3;
    TwipsRect text2;

    bool operator==(const MainWindowPlacement &) const = default;
};

// Where the strips, the grid and the notes section go for a client area of
// width by height twips. An assignment that would be negative (a window too
// small, or minimized) is skipped and the others still apply, so the next
// resize starts afresh from what is there.
MainWindowPlacement layoutForClientArea(int width, int height, MainWindowPlacement current);

// The smallest client area, in twips, at which every control keeps its
// place: the strips hold their buttons, stripContentWidth wide; the notes
// label and box keep their sizes; and between the strips and the notes
// section the grid stays gridHeight high.
QSize minimumClientArea(int stripContentWidth, int gridHeight, const MainWindowPlacement &current);
