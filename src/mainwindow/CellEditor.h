#pragma once

#include <QList>
#include <QObject>
#include <QPoint>
#include <QTimer>

#include <memory>

class ListHistory;
class MedicationGrid;
class MedicationList;
class QKeyEvent;
class QLineEdit;
class QWidget;
class StorableTextEdit;

// Edits a cell in place: the single-line Text1 over columns 1 to 5, the
// multi-line Text3 over Notes. A double-click opens an editor after a short
// pause; F2 and Enter on the grid open it at once, and a character typed on
// the grid opens it with that character in place of the text. Enter (in
// Text1), leaving the cell and scrolling the grid commit; Tab and Shift+Tab
// commit and move along the row; Esc abandons. A commit goes into the list's
// history, so that it can be undone; while an editor is open, undo and redo
// act on its own text.
class CellEditor : public QObject
{
    Q_OBJECT

public:
    // Text3 stands this high over a Notes cell, so several lines show.
    static constexpr int NotesEditorHeight = 3150;
    static constexpr int PauseMs = 100;

    CellEditor(MedicationList &list, ListHistory &history, MedicationGrid &grid, QLineEdit &text1,
               StorableTextEdit &text3, QWidget &window);
    ~CellEditor() override;

    bool EditingCell() const { return m_editing; }

    // While no list is open, no editor opens.
    void setAllowed(bool allowed);

    // A double-click on the grid: the editor opens over the current cell
    // after the pause.
    void requestOpen();
    // F2 or Enter on the grid: the editor opens over the current cell at once.
    void openOnKey();
    // A character typed on the grid: the editor opens with it in place of
    // the cell's text.
    void openTyping(const QString &text);
    // Writes an open edit into its cell, then hides both editors.
    void commit();
    // Hides both editors, writing nothing.
    void abandon();
    void PositionCellEditor();
    // Undoes or redoes typing in the editor that has the keyboard focus;
    // false when neither has it.
    bool undoTyping(bool redo);

signals:
    // A commit wrote the cell: the columns are fitted again.
    void committed(int row, int column);
    // An edit of a Next Refill Date ended in Text1: the highlighting follows it.
    void refillDateLeft();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void openAfterPause();
    void openOnCurrentCell();
    QWidget *openEditor() const;
    void cancelPending();
    void commitOnEnter();
    void commitAndMove(bool forward);
    void hideEditors();
    bool onEditorKey(QObject *editor, QKeyEvent *event);
    void onEditorFocusLost(QObject *editor, Qt::FocusReason reason);
    QString editorText() const;

    MedicationList &m_list;
    ListHistory &m_history;
    MedicationGrid &m_grid;
    QLineEdit &m_text1;
    StorableTextEdit &m_text3;
    QTimer m_pause;
    // Keys typed during the pause belong to the editor about to open.
    QList<std::shared_ptr<QKeyEvent>> m_typedDuringPause;
    QPoint m_target; // row, column of the cell a pending open is for
    QPoint m_editedCell;
    QString m_textWhenOpened;
    bool m_allowed = true;
    bool m_editing = false;
    // Hiding Text1 after Enter takes its focus; the highlighting that focus
    // loss would run is run once by the Enter handler instead.
    bool m_hidingAfterEnter = false;
};
