#include "CellEditor.h"

#include "LineBreaks.h"
#include "ListHistory.h"
#include "MedicationGrid.h"
#include "MedicationList.h"
#include "StorableText.h"
#include "Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <limits>

CellEditor::CellEditor(MedicationList &list, ListHistory &history, MedicationGrid &grid,
                       QLineEdit &text1, StorableTextEdit &text3, QWidget &window)
    : QObject(&window), m_list(list), m_history(history), m_grid(grid), m_text1(text1),
      m_text3(text3)
{
    setObjectName(QStringLiteral("cellEditor"));
    // The pause lets the grid finish its own handling of the click first,
    // including the move of the current cell that commits an edit still
    // open elsewhere.
    m_pause.setSingleShot(true);
    m_pause.setInterval(PauseMs);
    connect(&m_pause, &QTimer::timeout, this, &CellEditor::openAfterPause);
    // Its default limit of 32767 characters would cut a longer cell on Enter.
    m_text1.setMaxLength(std::numeric_limits<int>::max());
    m_text1.installEventFilter(this);
    m_text3.installEventFilter(this);
}

CellEditor::~CellEditor() = default;

void CellEditor::setAllowed(bool allowed)
{
    m_allowed = allowed;
    if (!allowed)
        cancelPending();
}

void CellEditor::requestOpen()
{
    if (!m_allowed)
        return;
    cancelPending();
    m_target = QPoint(m_grid.row(), m_grid.col());
    m_grid.installEventFilter(this);
    m_pause.start();
}

void CellEditor::openOnKey()
{
    if (!m_allowed)
        return;
    cancelPending();
    // An edit left open while the focus was elsewhere keeps what was typed.
    if (!m_editing)
        openOnCurrentCell();
    openEditor()->setFocus();
}

void CellEditor::openTyping(const QString &text)
{
    if (!m_allowed)
        return;
    cancelPending();
    if (!m_editing) {
        openOnCurrentCell();
        if (m_editedCell.y() == MedicationList::NotesColumn)
            m_text3.selectAll();
        else
            m_text1.selectAll();
    }
    QWidget *editor = openEditor();
    editor->setFocus();
    // Typed into the editor as any key, so that it refuses what a list
    // cannot store; the old text stays in the editor's undo.
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, Qt::Key_unknown, Qt::NoModifier, text);
        QCoreApplication::sendEvent(editor, &key);
    }
}

void CellEditor::cancelPending()
{
    m_pause.stop();
    m_grid.removeEventFilter(this);
    m_typedDuringPause.clear();
}

void CellEditor::openAfterPause()
{
    m_grid.removeEventFilter(this);
    const auto typed = std::exchange(m_typedDuringPause, {});
    // A click elsewhere during the pause means the user went on.
    if (!m_allowed || QPoint(m_grid.row(), m_grid.col()) != m_target)
        return;
    openOnCurrentCell();
    for (const auto &key : typed) {
        if (QWidget *target = QApplication::focusWidget())
            QCoreApplication::sendEvent(target, key.get());
    }
}

void CellEditor::openOnCurrentCell()
{
    PositionCellEditor();
    m_editedCell = QPoint(m_grid.row(), m_grid.col());
    m_textWhenOpened = m_list.cell(m_editedCell.x(), m_editedCell.y());
    // Both editors open with the caret at the end, so words typed straight
    // away are added to the text, not put in front of it.
    if (m_editedCell.y() == MedicationList::NotesColumn) {
        m_text3.setPlainText(DisplayLineBreaks(m_textWhenOpened));
        m_text3.moveCursor(QTextCursor::End);
        m_text3.show();
        m_text3.setFocus();
    } else {
        m_text1.setText(m_textWhenOpened);
        m_text1.end(false);
        m_text1.show();
        m_text1.setFocus();
    }
    m_editing = true;
}

QWidget *CellEditor::openEditor() const
{
    if (m_editedCell.y() == MedicationList::NotesColumn)
        return &m_text3;
    return &m_text1;
}

void CellEditor::PositionCellEditor()
{
    TwipsRect cell = m_grid.currentCellRect();
    const TwipsRect grid = Twips::fromPixels(m_grid.geometry());
    cell.left += grid.left;
    cell.top += grid.top;
    // A screen reader names the editor after the column it edits.
    const auto header = [this](int column) {
        return m_list.cell(MedicationList::HeaderRow, column);
    };
    m_text3.setAccessibleName(header(MedicationList::NotesColumn));
    if (m_grid.col() == MedicationList::NotesColumn) {
        cell.height = NotesEditorHeight;
        m_text3.setGeometry(Twips::toPixels(cell));
    } else {
        m_text1.setGeometry(Twips::toPixels(cell));
        m_text1.setAccessibleName(header(m_grid.col()));
    }
}

QString CellEditor::editorText() const
{
    if (m_editedCell.y() != MedicationList::NotesColumn)
        return m_text1.text();
    // What the user left alone keeps its exact characters: a lone CR or LF
    // read from a file, a non-breaking space.
    return MergeDisplayEdit(m_textWhenOpened, m_text3.shownText());
}

void CellEditor::commit()
{
    cancelPending();
    if (m_editing) {
        // Cleared first: fitting the columns may scroll the grid, which
        // commits too, and must find nothing left to write.
        m_editing = false;
        m_history.setCell(m_editedCell.x(), m_editedCell.y(), editorText());
        emit committed(m_editedCell.x(), m_editedCell.y());
    }
    hideEditors();
}

bool CellEditor::undoTyping(bool redo)
{
    if (m_editing && m_text1.hasFocus()) {
        redo ? m_text1.redo() : m_text1.undo();
        return true;
    }
    if (m_editing && m_text3.hasFocus()) {
        redo ? m_text3.redo() : m_text3.undo();
        return true;
    }
    return false;
}

void CellEditor::abandon()
{
    cancelPending();
    m_editing = false;
    hideEditors();
}

void CellEditor::commitOnEnter()
{
    const bool refillDate = m_grid.col() == MedicationList::RefillDateColumn;
    m_hidingAfterEnter = true;
    commit();
    m_hidingAfterEnter = false;
    if (refillDate)
        emit refillDateLeft();
}

void CellEditor::commitAndMove(bool forward)
{
    int row = m_grid.row();
    int column = m_grid.col() + (forward ? 1 : -1);
    if (column > MedicationList::NotesColumn) {
        column = MedicationList::NameColumn;
        ++row;
    } else if (column < MedicationList::NameColumn) {
        column = MedicationList::NotesColumn;
        --row;
    }
    if (row >= MedicationList::FirstDataRow && row <= MedicationList::LastDataRow) {
        // Leaving the cell commits, as a click elsewhere does.
        m_grid.setCurrentCell(row, column);
        return;
    }
    // Past the first or the last cell, Tab goes on to the controls around
    // the grid, so that the keyboard is never caught in it.
    commit();
    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                  forward ? Qt::NoModifier : Qt::ShiftModifier);
    QCoreApplication::sendEvent(&m_grid, &tab);
}

void CellEditor::hideEditors()
{
    const bool editorHadFocus = m_text1.hasFocus() || m_text3.hasFocus();
    m_text1.hide();
    m_text3.hide();
    if (editorHadFocus)
        m_grid.setFocus();
}

bool CellEditor::onEditorKey(QObject *editor, QKeyEvent *event)
{
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    switch (event->key()) {
    case Qt::Key_Escape:
        abandon();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (editor != &m_text1)
            return false;
        commitOnEnter();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (event->modifiers() & commands)
            return false;
        commitAndMove(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        return true;
    default:
        return false;
    }
}

void CellEditor::onEditorFocusLost(QObject *editor, Qt::FocusReason reason)
{
    // The editor's own context menu takes the focus while it is open; its
    // Paste, Cut and Delete act on the edit, which must stay open for them.
    if (reason == Qt::PopupFocusReason || editor != &m_text1 || m_hidingAfterEnter)
        return;
    if (m_grid.col() != MedicationList::RefillDateColumn)
        return;
    if (m_editing)
        commit();
    emit refillDateLeft();
}

bool CellEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_grid) {
        if (event->type() == QEvent::KeyPress) {
            m_typedDuringPause.append(
                std::shared_ptr<QKeyEvent>(static_cast<QKeyEvent *>(event->clone())));
            return true;
        }
        return event->type() == QEvent::KeyRelease;
    }
    if (event->type() == QEvent::KeyPress)
        return onEditorKey(watched, static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::FocusOut)
        onEditorFocusLost(watched, static_cast<QFocusEvent *>(event)->reason());
    return QObject::eventFilter(watched, event);
}
