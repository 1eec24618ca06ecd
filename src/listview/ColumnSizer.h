#pragma once

#include "MedicationList.h"

#include <array>

// The room a cell's text takes as the grid paints it, in twips. A cell
// without text needs none.
class CellMeasurer
{
public:
    virtual ~CellMeasurer() = default;
    // The column width at which the cell shows each of its lines whole.
    virtual int neededWidth(int row, int column) const = 0;
    // The row height at which the cell shows all its text, wrapped to a
    // column this wide.
    virtual int neededHeight(int row, int column, int columnWidth) const = 0;
};

// Column widths and row heights in twips that fit the list's texts, with the
// Notes column taking what the printed page leaves.
struct ColumnSizes
{
    std::array<int, MedicationList::ColumnCount> columnWidths{};
    // Index 0, the header row, is not sized and stays 0 here.
    std::array<int, MedicationList::RowCount> rowHeights{};
};

class ColumnSizer
{
public:
    static constexpr int MarkerColumnWidth = 480;
    // An empty column is as wide as 600 twips of text and its padding.
    static constexpr int MinimumColumnWidth = 720;
    static constexpr int MinimumRowHeight = 315;
    // A little air above and below the lines of a taller row.
    static constexpr int RowPadding = 60;
    static constexpr int PageWidthWithoutPrinter = 12000;
    static constexpr int PageMargin = 480;
    // Wider texts in the other columns must not squeeze Notes out of sight.
    static constexpr int MinimumNotesWidth = 600;

    static ColumnSizes compute(const CellMeasurer &measurer, int pageWidth);
    // The sizes to show in a grid gridWidth twips wide, its marker column
    // included: Notes widens from the page's layout to fill the grid, and
    // the rows' heights follow. A narrower grid shows the layout as it is.
    static ColumnSizes fillGrid(const CellMeasurer &measurer, const ColumnSizes &layout,
                                int gridWidth);

private:
    static void fitRowHeights(const CellMeasurer &measurer, ColumnSizes &sizes);
};
