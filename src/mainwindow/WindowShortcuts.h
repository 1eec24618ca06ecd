#pragma once

#include <QKeySequence>
#include <QList>

// The main window's keyboard shortcuts, in one place, so that text boxes
// that would claim one of them for themselves can leave it to the window.
namespace WindowShortcuts {

inline QList<QKeySequence> undo()
{
    return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
}

inline QList<QKeySequence> redo()
{
    return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)};
}

} // namespace WindowShortcuts
