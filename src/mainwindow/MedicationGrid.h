#pragma once

#include "ColumnSizer.h"
#include "WindowLayout.h"

#include <QHash>
#include <QTableView>

#include <array>
#include <functional>

class MedicationList;
class MedicationTableModel;

// The medication grid: a table view of the list offering what the window
// relies on of a grid control, in its terms: rows and columns counted with
// the fixed header row and marker column, sizes in twips, per-cell colours,
// and the events double-click, leave-cell (raised before the current cell
// changes, whatever moves it) and scroll. It measures its cells by the very
// rule its delegate paints them with, so a fitted cell never shows clipped.
// The highlighted cell is always the current one.
class MedicationGrid : public QTableView, public CellMeasurer
{
    Q_OBJECT

public:
    MedicationGrid(MedicationList &list, std::function<QString(const QString &)> checkRefillDate,
                   QWidget *parent = nullptr);

    MedicationTableModel &tableModel() const { return *m_model; }

    int rows() const;
    int cols() const;

    int row() const;
    int col() const;
    // Moves the current cell; row and column count from 1, as 0 is fixed.
    void setCurrentCell(int row, int column);
    void setRow(int row) { setCurrentCell(row, col()); }
    void setTopRow(int row);

    // The column's width in the layout the columns were fitted to.
    int colWidth(int column) const;
    void setColWidth(int column, int twips) { setColWidth(column, twips, twips); }
    // The grid may show a column wider than its layout says.
    void setColWidth(int column, int twips, int shownTwips);
    // The width in twips the columns take when they fill the grid, the
    // marker column included.
    int widthToFill() const;
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);

    // The current cell's place and size in twips, from the grid's top-left corner.
    TwipsRect currentCellRect() const;

    int neededWidth(int row, int column) const override;
    int neededHeight(int row, int column, int columnWidth) const override;

signals:
    void doubleClick();
    // F2 or Enter on the current cell: its editor is to open on its text.
    void editKeyPressed();
    // A character typed on the grid, which is to replace the current cell's
    // text, as in a spreadsheet.
    void typed(const QString &text);
    void leaveCell();
    void scrolled();
    // The room for the columns changed: the window was resized, or a scroll
    // bar came or went.
    void widthToFillChanged();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles) override;
    void changeEvent(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    // A double-click on a cell or a header: the editor is to open on the
    // current cell, scrolled into view.
    void takeDoubleClick();
    void applyColumnWidth(int column);
    // The size the delegate asks for to paint the cell's text; a width of 0
    // asks for the text's natural width.
    QSize paintedSize(int row, int column, int widthPixels) const;

    MedicationList &m_list;
    MedicationTableModel *m_model;
    std::array<int, MedicationList::ColumnCount> m_columnWidths{};
    std::array<int, MedicationList::ColumnCount> m_shownWidths{};
    std::array<int, MedicationList::RowCount> m_rowHeights{};
    // Column sizing asks for every cell after each edit; laying text out
    // costs far more than looking it up. Forgotten when the font changes.
    struct PaintedText
    {
        QString text;
        int width;
        bool italic;
        bool operator==(const PaintedText &) const = default;
        friend size_t qHash(const PaintedText &key, size_t seed)
        {
            return qHashMulti(seed, key.text, key.width, key.italic);
        }
    };
    mutable QHash<PaintedText, QSize> m_paintedSizes;
};
