#pragma once

#include "MedicationList.h"

#include <array>

class TextMeasurer;

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
    static constexpr int MinimumColumnWidth = 600;
    static constexpr int CellPadding = 120;
    static constexpr int MinimumRowHeight = 315;
    static constexpr int RowPadding = 60;
    static constexpr int PageWidthWithoutPrinter = 12000;
    static constexpr int PageMargin = 480;
    // Wider texts in the other columns must not squeeze Notes out of sight.
    static constexpr int MinimumNotesWidth = 600;

    static ColumnSizes compute(const MedicationList &list, const TextMeasurer &measurer,
                               int pageWidth);
};
