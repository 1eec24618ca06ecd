#include "ListHistory.h"

#include "MedicationList.h"

namespace {

using Step = ListHistory::Step;
using Kind = Step::Kind;

// A change to the list that knows how to show itself once done or undone.
class ListEdit : public QUndoCommand
{
public:
    ListEdit(MedicationList &list, const QString &text) : m_list(list) { setText(text); }

    void redo() final
    {
        apply(false);
        m_list.setChangesMade(true);
    }
    void undo() final
    {
        apply(true);
        m_list.setChangesMade(true);
    }
    virtual Step step(bool undone) const = 0;

protected:
    virtual void apply(bool undo) = 0;
    MedicationList &m_list;
};

class CellEdit : public ListEdit
{
public:
    CellEdit(MedicationList &list, int row, int column, const QString &text)
        : ListEdit(list, QStringLiteral("Edit cell")), m_row(row), m_column(column),
          m_before(list.cell(row, column)), m_after(text)
    {}
    Step step(bool) const override { return {Kind::Cell, m_row, m_column}; }

private:
    void apply(bool undo) override { m_list.setCell(m_row, m_column, undo ? m_before : m_after); }

    int m_row;
    int m_column;
    QString m_before;
    QString m_after;
};

class RowSwap : public ListEdit
{
public:
    RowSwap(MedicationList &list, int from, int to)
        : ListEdit(list, QStringLiteral("Move medicine")), m_from(from), m_to(to)
    {}
    Step step(bool undone) const override { return {Kind::RowMove, undone ? m_from : m_to, 0}; }

private:
    void apply(bool) override { m_list.swapRowTexts(m_from, m_to); }

    int m_from;
    int m_to;
};

class RowRemoval : public ListEdit
{
public:
    RowRemoval(MedicationList &list, int row)
        : ListEdit(list, QStringLiteral("Delete medicine")), m_row(row), m_texts(list.rowTexts(row))
    {}
    Step step(bool) const override { return {Kind::RowDelete, m_row, 0}; }

private:
    void apply(bool undo) override
    {
        if (undo)
            m_list.insertRow(m_row, m_texts);
        else
            m_list.removeRow(m_row);
    }

    int m_row;
    QStringList m_texts;
};

class FontChange : public ListEdit
{
public:
    FontChange(MedicationList &list, int fontSize, bool bold)
        : ListEdit(list, QStringLiteral("Change font")), m_before(list.settings()),
          m_after(list.settings())
    {
        m_after.fontSize = fontSize;
        m_after.bold = bold;
    }
    Step step(bool) const override { return {Kind::Fonts}; }

private:
    // Only the font: the window's place and the printer may have changed
    // since and are not the font's to undo.
    void apply(bool undo) override
    {
        const ListSettings &font = undo ? m_before : m_after;
        ListSettings settings = m_list.settings();
        settings.fontSize = font.fontSize;
        settings.bold = font.bold;
        m_list.setSettings(settings);
    }

    ListSettings m_before;
    ListSettings m_after;
};

class NotesEdit : public ListEdit
{
public:
    static constexpr int Id = 1;

    NotesEdit(MedicationList &list, const QString &notes, int run)
        : ListEdit(list, QStringLiteral("Typing in the general notes")), m_before(list.notes()),
          m_after(notes), m_run(run)
    {}
    int id() const override { return Id; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const NotesEdit *>(other);
        if (next->m_run != m_run)
            return false;
        m_after = next->m_after;
        // Typing that ends where it began leaves nothing to undo.
        setObsolete(m_after == m_before);
        return true;
    }
    Step step(bool) const override { return {Kind::Notes}; }

private:
    void apply(bool undo) override { m_list.setNotes(undo ? m_before : m_after); }

    QString m_before;
    QString m_after;
    int m_run;
};

} // namespace

ListHistory::ListHistory(MedicationList &list) : m_list(list) {}

ListHistory::~ListHistory() = default;

void ListHistory::setCell(int row, int column, const QString &text)
{
    if (!MedicationList::isValidCell(row, column) || m_list.cell(row, column) == text)
        m_list.setChangesMade(true);
    else
        m_stack.push(new CellEdit(m_list, row, column, text));
}

void ListHistory::swapRows(int from, int to)
{
    m_stack.push(new RowSwap(m_list, from, to));
}

void ListHistory::removeRow(int row)
{
    m_stack.push(new RowRemoval(m_list, row));
}

void ListHistory::setFonts(int fontSize, bool bold)
{
    const ListSettings &settings = m_list.settings();
    if (settings.fontSize == fontSize && settings.bold == bold)
        m_list.setChangesMade(true);
    else
        m_stack.push(new FontChange(m_list, fontSize, bold));
}

void ListHistory::setNotes(const QString &notes)
{
    if (notes != m_list.notes())
        m_stack.push(new NotesEdit(m_list, notes, m_notesRun));
}

void ListHistory::endNotesRun()
{
    ++m_notesRun;
}

std::optional<ListHistory::Step> ListHistory::undo()
{
    if (!m_stack.canUndo())
        return std::nullopt;
    const auto *edit = static_cast<const ListEdit *>(m_stack.command(m_stack.index() - 1));
    const Step step = edit->step(true);
    m_stack.undo();
    endNotesRun();
    return step;
}

std::optional<ListHistory::Step> ListHistory::redo()
{
    if (!m_stack.canRedo())
        return std::nullopt;
    const auto *edit = static_cast<const ListEdit *>(m_stack.command(m_stack.index()));
    const Step step = edit->step(false);
    m_stack.redo();
    endNotesRun();
    return step;
}

void ListHistory::clear()
{
    m_stack.clear();
    endNotesRun();
}
