#pragma once

#include <QKeySequence>
#include <QList>

// The main window's keyboard shortcuts, in one place, so that text boxes
// that would claim one of them for themselves can leave it to the window,
// and the buttons' tooltips and the help name the same keys.
namespace WindowShortcuts {

inline QList<QKeySequence> undo()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
}

inline QList<QKeySequence> redo()
{
    return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)};
}

inline QKeySequence newList()
{
    return QKeySequence(Qt::CTRL | Qt::Key_N);
}

inline QKeySequence save()
{
    return QKeySequence(Qt::CTRL | Qt::Key_S);
}

inline QKeySequence print()
{
    return QKeySequence(Qt::CTRL | Qt::Key_P);
}

inline QKeySequence help()
{
    return QKeySequence(Qt::Key_F1);
}

inline QKeySequence close()
{
    return QKeySequence(Qt::CTRL | Qt::Key_Q);
}

// Moves the focus to the list selector.
inline QKeySequence chooseList()
{
    return QKeySequence(Qt::CTRL | Qt::Key_L);
}

} // namespace WindowShortcuts
