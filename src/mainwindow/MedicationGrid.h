#pragma once

#include "WindowLayout.h"

#include <QTableView>

#include <array>

class MedicationList;
class MedicationTableModel;

// The medication grid: a table view of the list offering what the window
// relies on of a grid control, in its terms: rows and columns counted with
// the fixed header row and marker column, sizes in twips, per-cell colours,
// and the events double-click, leave-cell (raised before the current cell
// changes, whatever moves it) and scroll.
class MedicationGrid : public QTableView
{
    Q_OBJECT

public:
    static constexpr int MinimumRowHeight = 315;

    MedicationGrid(MedicationList &list, QWidget *parent = nullptr);

    MedicationTableModel &tableModel() const { return *m_model; }

    int rows() const;
    int cols() const;

    int row() const;
    int col() const;
    // Moves the current cell; row and column count from 1, as 0 is fixed.
    void setCurrentCell(int row, int column);
    void setRow(int row) { setCurrentCell(row, col()); }
    void setTopRow(int row);
    int topRow() const;

    QString textMatrix(int row, int column) const;

    int colWidth(int column) const;
    void setColWidth(int column, int twips);
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);

    // The current cell's place and size in twips, from the grid's top-left corner.
    TwipsRect currentCellRect() const;

    // Removes a data row; the rows below move up with their texts, heights,
    // colours and marker, and an empty row is appended at the end.
    void removeRow(int row);

signals:
    void doubleClick();
    void leaveCell();
    void scrolled();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void applyColumnWidth(int column);

    MedicationList &m_list;
    MedicationTableModel *m_model;
    std::array<int, 7> m_columnWidths{};
    std::array<int, 50> m_rowHeights{};
};
