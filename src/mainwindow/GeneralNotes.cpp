#include "GeneralNotes.h"

#include "LineBreaks.h"
#include "ListHistory.h"
#include "MedicationList.h"
#include "StorableText.h"
#include "WindowShortcuts.h"

#include <QKeyEvent>

GeneralNotes::GeneralNotes(MedicationList &list, ListHistory &history, StorableTextEdit &box)
    : QObject(&box), m_list(list), m_history(history), m_box(box)
{
    m_box.setUndoRedoEnabled(false);
    m_box.installEventFilter(this);
    connect(&m_list, &MedicationList::notesChanged, this, &GeneralNotes::show);
    connect(&m_box, &StorableTextEdit::textChanged, this, &GeneralNotes::takeEdit);
    show();
}

void GeneralNotes::show()
{
    const QString shown = DisplayLineBreaks(m_list.notes());
    if (m_box.shownText() == shown)
        return;
    m_showing = true;
    m_box.setPlainText(shown);
    m_box.moveCursor(QTextCursor::End);
    m_showing = false;
}

void GeneralNotes::takeEdit()
{
    if (m_showing)
        return;
    const QString notes = MergeDisplayEdit(m_list.notes(), m_box.shownText());
    if (notes == m_list.notes())
        return;
    m_history.setNotes(notes);
}

bool GeneralNotes::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        m_history.endNotesRun();
    } else if (event->type() == QEvent::ShortcutOverride) {
        // A text box claims these keys for its own undo; here they belong
        // to the list's.
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        if (WindowShortcuts::undo().contains(pressed) ||
            WindowShortcuts::redo().contains(pressed)) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
