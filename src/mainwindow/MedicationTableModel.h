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
// becomes the vertical header. Which refill dates are due and the marker
// belong to the display, not to the list, and are kept here. A due refill
// date is dark red with white text; every other cell takes the palette's
// colours. Screen readers hear what the colours and italics show.
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

    // The design's colours of a due refill date.
    static const QColor DueBackground;
    static const QColor DueText;

    void setRefillDue(int row, bool due);
    bool isRefillDue(int row) const;
    // The colour the cell is given, where it is not the palette's.
    std::optional<QColor> cellBackground(int row, int column) const;

    void setRowMarker(int row, bool shown);
    bool hasRowMarker(int row) const;

    // The styles of the rows below move up with them; the new last row is plain.
    void removeRowStyles(int row);
    // The styles of the rows below move down with them; the new row is plain.
    void insertRowStyles(int row);
    void clearStyles();

private:
    QVariant refillDateData(int row, int role) const;
    void announceRows(int firstRow, int lastRow);

    MedicationList &m_list;
    RefillDateCheck m_checkRefillDate;
    std::array<bool, MedicationList::RowCount> m_due{};
    std::array<bool, MedicationList::RowCount> m_markers{};
};
