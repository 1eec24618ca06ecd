#include "ListWindowGeometry.h"

#include "ListSettings.h"
#include "MedicationList.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWidget>

ListWindowGeometry::ListWindowGeometry(QWidget &window) : m_window(window) {}

void ListWindowGeometry::leaveMaximized()
{
    if (!m_window.isMaximized())
        return;
    const QRect maximized = m_window.frameGeometry();
    m_window.showNormal();
    // The window manager answers in its own time: the normal size, and the
    // border that goes with it. The user's clicks wait meanwhile.
    constexpr auto flags = QEventLoop::AllEvents | QEventLoop::ExcludeUserInputEvents;
    const QDeadlineTimer deadline(NormalStateWaitMs);
    while (m_window.frameGeometry() == maximized && !deadline.hasExpired()) {
        QCoreApplication::processEvents(flags);
        QThread::msleep(10);
    }
    QCoreApplication::processEvents(flags);
}

void ListWindowGeometry::store(MedicationList &list) const
{
    const QRect outer = m_window.frameGeometry();
    ListSettings settings = list.settings();
    settings.windowLeft = float(Twips::fromPixels(outer.x()));
    settings.windowTop = float(Twips::fromPixels(outer.y()));
    settings.windowWidth = float(Twips::fromPixels(outer.width()));
    settings.windowHeight = float(Twips::fromPixels(outer.height()));
    list.setSettings(settings);
}

void ListWindowGeometry::apply(const ListSettings &settings)
{
    // The file keeps the outer size; the frame is the desktop's own.
    const QSize frame = m_window.frameGeometry().size() - m_window.geometry().size();
    const QSize stored(WindowPlacement::pixelsFromStoredTwips(settings.windowWidth),
                       WindowPlacement::pixelsFromStoredTwips(settings.windowHeight));
    QRect outer(WindowPlacement::pixelsFromStoredTwips(settings.windowLeft),
                WindowPlacement::pixelsFromStoredTwips(settings.windowTop), 0, 0);
    outer.setSize(stored.width() > frame.width() && stored.height() > frame.height()
                      ? stored
                      : m_window.frameGeometry().size());
    outer = WindowPlacement::reachableFrame(outer, titleBarHeight(), availableScreens());
    m_window.move(outer.topLeft());
    m_window.resize(outer.size() - frame);
}

int ListWindowGeometry::titleBarHeight() const
{
    // Before the desktop has framed the window its frame is unknown.
    const int frameTop = m_window.geometry().top() - m_window.frameGeometry().top();
    return frameTop > 0 ? frameTop : 30;
}

QList<QRect> ListWindowGeometry::availableScreens()
{
    // The primary screen first: a window far off is brought there.
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.insert(screen == QGuiApplication::primaryScreen() ? 0 : screens.size(),
                       screen->availableGeometry());
    return screens;
}
