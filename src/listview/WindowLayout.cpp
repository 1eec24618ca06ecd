#include "WindowLayout.h"

#include <algorithm>

namespace {

constexpr int Margin = 120;
constexpr int GridTop = 1080;
// The strips and the grid's top above, the gaps around the notes section below.
constexpr int GridVerticalAllowance = 960 + Margin + 240 + 240;

void assignIfNotNegative(int &target, int value)
{
    if (value >= 0)
        target = value;
}

} // namespace

MainWindowPlacement layoutForClientArea(int width, int height, MainWindowPlacement current)
{
    MainWindowPlacement p = current;
    p.picture1.left = Margin;
    assignIfNotNegative(p.picture1.width, width - 2 * Margin);

    p.picture2.left = Margin;
    assignIfNotNegative(p.picture2.top, p.picture1.top + p.picture1.height + Margin);
    assignIfNotNegative(p.picture2.width, width - 2 * Margin);

    p.text2.left = Margin;
    assignIfNotNegative(p.text2.top, height - p.text2.height - Margin);

    p.label3.left = Margin;
    assignIfNotNegative(p.label3.top, height - p.text2.height - Margin - p.label3.height);

    p.grid1.left = Margin;
    p.grid1.top = GridTop;
    assignIfNotNegative(p.grid1.width, width - 2 * Margin);
    assignIfNotNegative(p.grid1.height, height - GridVerticalAllowance - p.text2.height);
    return p;
}

QSize minimumClientArea(int stripContentWidth, int gridHeight, const MainWindowPlacement &current)
{
    const int widest = std::max({stripContentWidth, current.label3.width, current.text2.width});
    return {widest + 2 * Margin, gridHeight + GridVerticalAllowance + current.text2.height};
}
