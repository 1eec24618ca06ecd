#pragma once

#include <QList>
#include <QRect>

class MedicationList;
class QWidget;
struct ListSettings;

// The main window's place and size as a list stores them: its outer frame,
// the desktop's border and title bar included, in twips.
class ListWindowGeometry
{
public:
    // How long a window manager may take to return a maximized window to
    // its normal size before the program goes on without it.
    static constexpr int NormalStateWaitMs = 1000;

    explicit ListWindowGeometry(QWidget &window);

    // Returns a maximized window to its normal size, and comes back once
    // the desktop has done so: its border is measured afterwards, and a
    // maximized window's border is not the normal one.
    void leaveMaximized();
    void store(MedicationList &list) const;
    // Moves and sizes the window as the settings say, kept within reach on
    // the screens there are.
    void apply(const ListSettings &settings);

private:
    int titleBarHeight() const;
    static QList<QRect> availableScreens();

    QWidget &m_window;
};
