#pragma once

#include <QAccessibleWidget>
#include <QHash>

class MonthGrid;

// A month grid as screen readers see it: a table of six day rows under seven
// weekday column headers, each cell named by what it shows ("Monday 7
// December 2026, today"), the current cell focused while the grid has focus.
class MonthGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    // Makes every month grid answer with this interface; once is enough.
    static void install();
    // Tells screen readers which cell is current, while the grid has focus.
    static void announceCurrentCell(MonthGrid &grid);
    // Tells screen readers that a cell's name changed.
    static void announceNameChange(MonthGrid &grid, int row, int column);

    explicit MonthGridAccessible(MonthGrid *grid);
    ~MonthGridAccessible() override;

    MonthGrid *grid() const;
    // Children are the cells in reading order, the header row first.
    static int childIndex(int gridRow, int column);

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface *> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    mutable QHash<int, QAccessible::Id> m_cells;
};
