#include "ColumnSizer.h"

#include <numeric>

ColumnSizes ColumnSizer::compute(const CellMeasurer &measurer, int pageWidth)
{
    ColumnSizes sizes;
    auto &widths = sizes.columnWidths;
    widths[MedicationList::MarkerColumn] = MarkerColumnWidth;
    // Notes takes what the page leaves, so its texts do not set its width.
    for (int column = 1; column < MedicationList::NotesColumn; ++column) {
        int widest = MinimumColumnWidth;
        for (int row = 0; row < MedicationList::RowCount; ++row)
            widest = std::max(widest, measurer.neededWidth(row, column));
        widths[column] = widest;
    }

    const int page = pageWidth == 0 ? PageWidthWithoutPrinter : pageWidth;
    const int others = std::accumulate(widths.begin(), widths.end() - 1, 0);
    widths[MedicationList::NotesColumn] = std::max(page - PageMargin - others, MinimumNotesWidth);
    fitRowHeights(measurer, sizes);
    return sizes;
}

ColumnSizes ColumnSizer::fillGrid(const CellMeasurer &measurer, const ColumnSizes &layout,
                                  int gridWidth)
{
    const auto &widths = layout.columnWidths;
    const int others = std::accumulate(widths.begin(), widths.end() - 1, 0);
    const int rest = gridWidth - others;
    if (rest <= widths[MedicationList::NotesColumn])
        return layout;
    ColumnSizes shown = layout;
    shown.columnWidths[MedicationList::NotesColumn] = rest;
    fitRowHeights(measurer, shown);
    return shown;
}

void ColumnSizer::fitRowHeights(const CellMeasurer &measurer, ColumnSizes &sizes)
{
    // Every column counts: a lone line break read from a file makes more
    // than one line in a Name as well.
    for (int row = MedicationList::FirstDataRow; row < MedicationList::RowCount; ++row) {
        int height = MinimumRowHeight;
        for (int column = 1; column < MedicationList::ColumnCount; ++column) {
            const int needed = measurer.neededHeight(row, column, sizes.columnWidths[column]);
            if (needed > 0)
                height = std::max(height, needed + RowPadding);
        }
        sizes.rowHeights[row] = height;
    }
}
