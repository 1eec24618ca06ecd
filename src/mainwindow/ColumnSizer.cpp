#include "ColumnSizer.h"

#include "TextMeasurer.h"

#include <cmath>
#include <numeric>

namespace {

// Halves go to the even neighbour.
int roundHalfEven(double value)
{
    return int(std::nearbyint(value));
}

} // namespace

ColumnSizes ColumnSizer::compute(const MedicationList &list, const TextMeasurer &measurer,
                                 int pageWidth)
{
    ColumnSizes sizes;
    auto &widths = sizes.columnWidths;
    widths[MedicationList::MarkerColumn] = MarkerColumnWidth;
    // Notes takes what the page leaves, so its texts are not measured here.
    for (int column = 1; column < MedicationList::NotesColumn; ++column) {
        int widest = MinimumColumnWidth;
        for (int row = 0; row < MedicationList::RowCount; ++row) {
            const double width = measurer.width(list.cell(row, column));
            if (width > widest)
                widest = roundHalfEven(width);
        }
        widths[column] = widest + CellPadding;
    }

    const int page = pageWidth == 0 ? PageWidthWithoutPrinter : pageWidth;
    const int others = std::accumulate(widths.begin(), widths.end() - 1, 0);
    const int notesWidth = std::max(page - PageMargin - others, MinimumNotesWidth);
    widths[MedicationList::NotesColumn] = notesWidth;

    for (int row = MedicationList::FirstDataRow; row < MedicationList::RowCount; ++row) {
        const QString notes = list.cell(row, MedicationList::NotesColumn);
        int height = roundHalfEven(measurer.height(notes) + RowPadding);
        for (const QString &line : notes.split(QStringLiteral("\r\n"))) {
            const double width = measurer.width(line);
            if (width > notesWidth) {
                const int wraps = roundHalfEven(width / notesWidth);
                height = roundHalfEven(measurer.height(line) * wraps + height);
            }
        }
        sizes.rowHeights[row] = std::max(height, MinimumRowHeight);
    }
    return sizes;
}
