#include "WindowPlacement.h"

#include "Twips.h"

#include <algorithm>
#include <cmath>

namespace WindowPlacement {

namespace {

// Enough of a title bar to take hold of with the mouse.
constexpr int Grip = 40;
constexpr double MaxPixels = 1 << 24;

bool titleBarReachable(const QRect &frame, int titleBarHeight, const QRect &screen)
{
    const QRect titleBar(frame.topLeft(), QSize(frame.width(), titleBarHeight));
    const QRect visible = titleBar & screen;
    return visible.height() == titleBarHeight && visible.width() >= std::min(Grip, frame.width());
}

qint64 distance(const QPoint &point, const QRect &screen)
{
    const qint64 dx = std::max(
        {qint64(screen.left()) - point.x(), qint64(0), qint64(point.x()) - screen.right()});
    const qint64 dy = std::max(
        {qint64(screen.top()) - point.y(), qint64(0), qint64(point.y()) - screen.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QRect reachableFrame(QRect wanted, int titleBarHeight, const QList<QRect> &availableScreens)
{
    if (availableScreens.isEmpty())
        return wanted;
    QRect everywhere;
    for (const QRect &screen : availableScreens)
        everywhere |= screen;
    wanted.setSize(wanted.size().boundedTo(everywhere.size()));
    titleBarHeight = std::clamp(titleBarHeight, 1, std::max(wanted.height(), 1));
    for (const QRect &screen : availableScreens) {
        if (titleBarReachable(wanted, titleBarHeight, screen))
            return wanted;
    }
    const QRect screen = *std::min_element(
        availableScreens.begin(), availableScreens.end(), [&](const QRect &a, const QRect &b) {
            return distance(wanted.topLeft(), a) < distance(wanted.topLeft(), b);
        });
    const QSize size = wanted.size().boundedTo(screen.size());
    const int left = std::clamp(wanted.left(), screen.left(), screen.right() + 1 - size.width());
    const int top = std::clamp(wanted.top(), screen.top(), screen.bottom() + 1 - size.height());
    return {QPoint(left, top), size};
}

int pixelsFromStoredTwips(double twips)
{
    if (std::isnan(twips))
        return 0;
    return Twips::toPixels(
        std::clamp(twips, -MaxPixels * Twips::PerPixel, MaxPixels * Twips::PerPixel));
}

} // namespace WindowPlacement
