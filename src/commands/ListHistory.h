#pragma once

#include <QString>
#include <QUndoStack>

#include <optional>

class MedicationList;

// The changes made to the open list, kept so that each can be undone and
// redone: committed cell edits, rows moved and deleted, the font size and
// bold, and runs of typing in the general notes. Each change made here, and
// each undo and redo, marks the list changed, as the change itself does:
// the file no longer holds what is shown. Another list loaded, a new one
// started or the list deleted begins the history afresh.
class ListHistory
{
public:
    // What an undo or redo changed, so that the window shows it as it
    // showed the change itself.
    struct Step
    {
        enum class Kind
        {
            Cell,
            RowMove,
            RowDelete,
            Fonts,
            Notes
        };
        Kind kind;
        // The cell to make current: row 0 leaves the current cell where it
        // is, column 0 keeps the current column.
        int row = 0;
        int column = 0;

        bool operator==(const Step &) const = default;
    };

    explicit ListHistory(MedicationList &list);
    ~ListHistory();
    ListHistory(const ListHistory &) = delete;
    ListHistory &operator=(const ListHistory &) = delete;

    // Writing a cell's own text again changes nothing that could be undone,
    // yet marks the list changed all the same.
    void setCell(int row, int column, const QString &text);
    // Exchanges the texts of two rows; an undo or redo makes current the
    // row the medicine of from then stands in.
    void swapRows(int from, int to);
    void removeRow(int row);
    // A choice that changes neither marks the list changed all the same.
    void setFonts(int fontSize, bool bold);
    // Typing in the general notes: changes until endNotesRun are undone
    // together, unless another change comes between them.
    void setNotes(const QString &notes);
    void endNotesRun();

    // Nothing when there is nothing to undo or redo.
    std::optional<Step> undo();
    std::optional<Step> redo();
    bool canUndo() const { return m_stack.canUndo(); }
    bool canRedo() const { return m_stack.canRedo(); }
    int count() const { return m_stack.count(); }
    void clear();

private:
    MedicationList &m_list;
    QUndoStack m_stack;
    int m_notesRun = 0;
};
