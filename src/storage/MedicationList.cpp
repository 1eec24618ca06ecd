#include "MedicationList.h"

#include <algorithm>

const QStringList &MedicationList::headerTexts()
{
    static const QStringList texts{QStringLiteral("Name"),
                                   QStringLiteral("Dosage"),
                                   QStringLiteral("Instructions"),
                                   QStringLiteral("Quantity"),
                                   QStringLiteral("Next Refill Date"),
                                   QStringLiteral("Notes")};
    return texts;
}

bool MedicationList::isValidCell(int row, int column)
{
    return row >= 0 && row < RowCount && column >= 0 && column < ColumnCount;
}

MedicationList::MedicationList(QObject *parent) : QObject(parent) {}

QString MedicationList::cell(int row, int column) const
{
    if (!isValidCell(row, column))
        return {};
    return m_cells[row][column];
}

void MedicationList::setCell(int row, int column, const QString &text)
{
    if (!isValidCell(row, column) || m_cells[row][column] == text)
        return;
    m_cells[row][column] = text;
    emit cellChanged(row, column);
}

void MedicationList::swapRowTexts(int rowA, int rowB)
{
    if (!isValidCell(rowA, 0) || !isValidCell(rowB, 0) || rowA == rowB)
        return;
    for (int column = NameColumn; column < ColumnCount; ++column)
        std::swap(m_cells[rowA][column], m_cells[rowB][column]);
    emit rowsChanged(std::min(rowA, rowB), std::max(rowA, rowB));
}

void MedicationList::removeRow(int row)
{
    if (row < FirstDataRow || row > LastDataRow)
        return;
    std::move(m_cells.begin() + row + 1, m_cells.end(), m_cells.begin() + row);
    m_cells[LastDataRow] = Row{};
    emit rowRemoved(row);
    emit rowsChanged(row, LastDataRow);
}

QStringList MedicationList::rowTexts(int row) const
{
    if (!isValidCell(row, 0))
        return {};
    return QStringList(m_cells[row].begin(), m_cells[row].end());
}

void MedicationList::insertRow(int row, const QStringList &texts)
{
    if (row < FirstDataRow || row > LastDataRow)
        return;
    std::move_backward(m_cells.begin() + row, m_cells.end() - 1, m_cells.end());
    for (int column = 0; column < ColumnCount; ++column)
        m_cells[row][column] = texts.value(column);
    emit rowInserted(row);
    emit rowsChanged(row, LastDataRow);
}

void MedicationList::setNotes(const QString &notes)
{
    if (m_notes == notes)
        return;
    m_notes = notes;
    emit notesChanged();
}

void MedicationList::setSettings(const ListSettings &settings)
{
    m_settings = settings;
}

void MedicationList::setListPrinterName(const QString &name)
{
    ListSettings changed = m_settings;
    changed.printerName = name;
    setSettings(changed);
}

void MedicationList::setCurrentListName(const QString &name)
{
    if (m_currentListName == name)
        return;
    m_currentListName = name;
    emit currentListNameChanged();
}

void MedicationList::setChangesMade(bool changed)
{
    m_changesMade = changed;
}

void MedicationList::ClearList()
{
    for (Row &row : m_cells)
        row.fill(QString());
    for (int column = NameColumn; column < ColumnCount; ++column)
        m_cells[HeaderRow][column] = headerTexts().at(column - 1);
    emit rowsChanged(HeaderRow, LastDataRow);
    setNotes(QString());
}

void MedicationList::writeHeaderTexts()
{
    for (int column = NameColumn; column < ColumnCount; ++column)
        setCell(HeaderRow, column, headerTexts().at(column - 1));
}

void MedicationList::assignContent(const MedicationList &source)
{
    if (m_cells != source.m_cells) {
        m_cells = source.m_cells;
        emit rowsChanged(HeaderRow, LastDataRow);
    }
    setNotes(source.m_notes);
    setSettings(source.m_settings);
}
