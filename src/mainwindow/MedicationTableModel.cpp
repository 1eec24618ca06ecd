#include "MedicationTableModel.h"

#include "LineBreaks.h"
#include "MedicationList.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

MedicationTableModel::MedicationTableModel(MedicationList &list, RefillDateCheck checkRefillDate,
                                           QObject *parent)
    : QAbstractTableModel(parent), m_list(list), m_checkRefillDate(std::move(checkRefillDate)),
      m_defaultBackground(QGuiApplication::palette().color(QPalette::Base))
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
    const CellStyle &style = m_styles[row][column];
    switch (role) {
    case Qt::DisplayRole:
        return DisplayLineBreaks(m_list.cell(row, column));
    case UnreadableDateRole:
    case Qt::ToolTipRole: {
        if (column != MedicationList::RefillDateColumn || m_list.cell(row, column).isEmpty())
            return role == UnreadableDateRole ? QVariant(false) : QVariant();
        const QString why = m_checkRefillDate(m_list.cell(row, column));
        if (role == UnreadableDateRole)
            return !why.isEmpty();
        return why.isEmpty() ? QVariant() : QVariant(why);
    }
    case Qt::BackgroundRole:
        return QBrush(style.background.value_or(m_defaultBackground));
    case Qt::ForegroundRole:
        return style.foreground ? QVariant(QBrush(*style.foreground)) : QVariant();
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
    return {};
}

void MedicationTableModel::setCellColors(int row, int column, const QColor &background,
                                         const QColor &text)
{
    if (!MedicationList::isValidCell(row, column))
        return;
    m_styles[row][column] = {background, text};
    announceRows(row, row);
}

std::optional<QColor> MedicationTableModel::cellBackground(int row, int column) const
{
    return MedicationList::isValidCell(row, column) ? m_styles[row][column].background
                                                    : std::nullopt;
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
    std::move(m_styles.begin() + row + 1, m_styles.end(), m_styles.begin() + row);
    std::move(m_markers.begin() + row + 1, m_markers.end(), m_markers.begin() + row);
    m_styles.back() = RowStyles{};
    m_markers.back() = false;
    announceRows(row, MedicationList::LastDataRow);
    emit headerDataChanged(Qt::Vertical, row - 1, MedicationList::LastDataRow - 1);
}

void MedicationTableModel::insertRowStyles(int row)
{
    if (row < MedicationList::FirstDataRow || row > MedicationList::LastDataRow)
        return;
    std::move_backward(m_styles.begin() + row, m_styles.end() - 1, m_styles.end());
    std::move_backward(m_markers.begin() + row, m_markers.end() - 1, m_markers.end());
    m_styles[row] = RowStyles{};
    m_markers[row] = false;
    announceRows(row, MedicationList::LastDataRow);
    emit headerDataChanged(Qt::Vertical, row - 1, MedicationList::LastDataRow - 1);
}

void MedicationTableModel::clearStyles()
{
    m_styles.fill(RowStyles{});
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
