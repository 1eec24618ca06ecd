#pragma once

#include "MedicationList.h"

#include <QAbstractTableModel>
#include <QColor>

#include <array>
#include <functional>
#include <optional>

// Shows the data rows and columns of a MedicationList to a table view: view
// row i is list row i + 1 and view column j list column j + 1. The header row
// becomes the horizontal header; column 0, which holds only the row marker,
// becomes the vertical header. Per-cell colours and the marker belong to the
// display, not to the list, and are kept here.
class MedicationTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int MarkerRole = Qt::UserRole + 1;
    // True for a Next Refill Date that cannot be read as a date.
    static constexpr int UnreadableDateRole = Qt::UserRole + 2;
    // Says why a refill date text cannot be read and which forms can be,
    // or gives an empty string for a date it can read.
    using RefillDateCheck = std::function<QString(const QString &text)>;

    MedicationTableModel(MedicationList &list, RefillDateCheck checkRefillDate,
                         QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QModelIndex indexOfCell(int row, int column) const;

    void setCellColors(int row, int column, const QColor &background, const QColor &text);
    std::optional<QColor> cellBackground(int row, int column) const;

    void setRowMarker(int row, bool shown);
    bool hasRowMarker(int row) const;

    // The styles of the rows below move up with them; the new last row is plain.
    void removeRowStyles(int row);
    // The styles of the rows below move down with them; the new row is plain.
    void insertRowStyles(int row);
    void clearStyles();

private:
    struct CellStyle
    {
        std::optional<QColor> background;
        std::optional<QColor> foreground;
    };
    using RowStyles = std::array<CellStyle, MedicationList::ColumnCount>;

    void announceRows(int firstRow, int lastRow);

    MedicationList &m_list;
    RefillDateCheck m_checkRefillDate;
    std::array<RowStyles, MedicationList::RowCount> m_styles{};
    std::array<bool, MedicationList::RowCount> m_markers{};
    QColor m_defaultBackground;
};
