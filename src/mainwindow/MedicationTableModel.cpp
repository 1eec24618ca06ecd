#include "MedicationTableModel.h"

#include "LineBreaks.h"
#include "MedicationList.h"

#include "ReadableColor.h"

#include <QBrush>

const QColor MedicationTableModel::DueBackground(128, 0, 0);
const QColor MedicationTableModel::DueText(255, 255, 255);

MedicationTableModel::MedicationTableModel(MedicationList &list, RefillDateCheck checkRefillDate,
                                           QObject *parent)
    : QAbstractTableModel(parent), m_list(list), m_checkRefillDate(std::move(checkRefillDate))
{
    connect(&list, &MedicationList::cellChanged, this,
            [this](int row, int) { announceRows(row, row); });
    connect(&list, &MedicationList::rowsChanged, this, &MedicationTableModel::announceRows);
    connect(&list, &MedicationList::rowRemoved, this, &MedicationTableModel::removeRowStyles);
    connect(&list, &MedicationList::rowInserted, this, &MedicationTableModel::insertRowStyles);
}

int MedicationTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : MedicationList::RowCount - 1;
}

int MedicationTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : MedicationList::ColumnCount - 1;
}

QModelIndex MedicationTableModel::indexOfCell(int row, int column) const
{
    return index(row - 1, column - 1);
}

QVariant MedicationTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return DisplayLineBreaks(m_list.cell(row, column));
    case Qt::TextAlignmentRole:
        // A row as tall as many lines of notes would otherwise show its
        // other cells' text below the window's edge, and look empty.
        return int(Qt::AlignLeft | Qt::AlignTop);
    case Qt::AccessibleTextRole:
        // An empty cell is still a cell a screen reader can name.
        return m_list.cell(row, column).isEmpty() ? QStringLiteral("Empty") : QVariant();
    default:
        return column == MedicationList::RefillDateColumn ? refillDateData(row, role) : QVariant();
    }
}

QVariant MedicationTableModel::refillDateData(int row, int role) const
{
    const QString text = m_list.cell(row, MedicationList::RefillDateColumn);
    switch (role) {
    case UnreadableDateRole:
        return !text.isEmpty() && !m_checkRefillDate(text).isEmpty();
    case Qt::ToolTipRole: {
        const QString why = text.isEmpty() ? QString() : m_checkRefillDate(text);
        return why.isEmpty() ? QVariant() : QVariant(why);
    }
    case Qt::AccessibleDescriptionRole: {
        if (m_due[row])
            return QStringLiteral("Refill due");
        const QString why = text.isEmpty() ? QString() : m_checkRefillDate(text);
        return why.isEmpty() ? QVariant() : QVariant(QStringLiteral("Date not understood. ") + why);
    }
    case Qt::BackgroundRole:
        return m_due[row] ? QVariant(QBrush(DueBackground)) : QVariant();
    case Qt::ForegroundRole:
        // White stays white on the dark red in every palette; should the
        // colours ever change, the text still reads.
        return m_due[row] ? QVariant(QBrush(ReadableColor::on(DueBackground, DueText)))
                          : QVariant();
    default:
        return {};
    }
}

QVariant MedicationTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return DisplayLineBreaks(m_list.cell(MedicationList::HeaderRow, section + 1));
    if (orientation == Qt::Vertical && role == MarkerRole)
        return hasRowMarker(section + 1);
    // The marker column shows no text, but a screen reader names each row.
    if (orientation == Qt::Vertical && role == Qt::AccessibleTextRole)
        return QString::number(section + 1);
    return {};
}

void MedicationTableModel::setRefillDue(int row, bool due)
{
    if (row < MedicationList::FirstDataRow || row > MedicationList::LastDataRow ||
        m_due[row] == due)
        return;
    m_due[row] = due;
    const QModelIndex cell = indexOfCell(row, MedicationList::RefillDateColumn);
    emit dataChanged(cell, cell,
                     {Qt::BackgroundRole, Qt::ForegroundRole, Qt::AccessibleDescriptionRole});
}

bool MedicationTableModel::isRefillDue(int row) const
{
    return row >= 0 && row < MedicationList::RowCount && m_due[row];
}

std::optional<QColor> MedicationTableModel::cellBackground(int row, int column) const
{
    if (column == MedicationList::RefillDateColumn && isRefillDue(row))
        return DueBackground;
    return std::nullopt;
}

void MedicationTableModel::setRowMarker(int row, bool shown)
{
    if (row < 0 || row >= MedicationList::RowCount || m_markers[row] == shown)
        return;
    m_markers[row] = shown;
    if (row > 0)
        emit headerDataChanged(Qt::Vertical, row - 1, row - 1);
}

bool MedicationTableModel::hasRowMarker(int row) const
{
    return row >= 0 && row < MedicationList::RowCount && m_markers[row];
}

void MedicationTableModel::removeRowStyles(int row)
{
    if (row < MedicationList::FirstDataRow || row > MedicationList::LastDataRow)
        return;
    std::move(m_due.begin() + row + 1, m_due.end(), m_due.begin() + row);
    std::move(m_markers.begin() + row + 1, m_markers.end(), m_markers.begin() + row);
    m_due.back() = false;
    m_markers.back() = false;
    announceRows(row, MedicationList::LastDataRow);
    emit headerDataChanged(Qt::Vertical, row - 1, MedicationList::LastDataRow - 1);
}

void MedicationTableModel::insertRowStyles(int row)
{
    if (row < MedicationList::FirstDataRow || row > MedicationList::LastDataRow)
        return;
    std::move_backward(m_due.begin() + row, m_due.end() - 1, m_due.end());
    std::move_backward(m_markers.begin() + row, m_markers.end() - 1, m_markers.end());
    m_due[row] = false;
    m_markers[row] = false;
    announceRows(row, MedicationList::LastDataRow);
    emit headerDataChanged(Qt::Vertical, row - 1, MedicationList::LastDataRow - 1);
}

void MedicationTableModel::clearStyles()
{
    m_due.fill(false);
    m_markers.fill(false);
    announceRows(0, MedicationList::LastDataRow);
    emit headerDataChanged(Qt::Vertical, 0, MedicationList::LastDataRow - 1);
}

void MedicationTableModel::announceRows(int firstRow, int lastRow)
{
    if (firstRow == MedicationList::HeaderRow)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    const int first = std::max(firstRow, 1) - 1;
    const int last = lastRow - 1;
    if (last >= first)
        emit dataChanged(index(first, 0), index(last, columnCount() - 1));
}
