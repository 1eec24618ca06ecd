#pragma once

#include "LineWrapper.h"
#include "MedicationList.h"

#include <QList>

#include <array>

class TextMeasurer;

// Where the printed table's columns go on the page, and how each cell's
// text breaks into lines inside its column. The columns sit where the
// grid's widths put them. When those leave Notes less than their 600
// twips, all six columns are narrowed in proportion so that they fit: each
// gives up the same share of what it has beyond its longest word and its
// heading, so words are cut only when nothing else makes room. A text wider
// than its column wraps inside it, and the row grows to its tallest cell.
class TableLayout
{
public:
    using ColumnWidths = std::array<int, MedicationList::ColumnCount>;
    // One printed line of a row: each column's text on that line, empty
    // where the column has no more.
    using Line = std::array<QString, MedicationList::ColumnCount>;

    static constexpr int LeftEdge = 240;
    // The table's rules end this far short of the paper's width.
    static constexpr int RightMargin = 480;
    // Between the end of one column's text and the next column.
    static constexpr int ColumnGap = 120;
    // Notes keep at least the room the grid keeps for them.
    static constexpr int MinimumNotesWidth = 600;

    TableLayout(const MedicationList &list, const TextMeasurer &measurer);

    // Places the columns for a page this wide; gridWidths in twips, column
    // 0 being the grid's marker column, which is not printed.
    void place(const ColumnWidths &gridWidths, int pageWidth);

    // The left edge of printed column 1 to 6.
    int ColumnX(int column) const { return m_columnX.at(column); }
    // How wide a line of the column's text may be.
    double textRoom(int column) const { return m_textRoom.at(column); }
    // Whether the grid's columns had to be narrowed to fit the page.
    bool narrowed() const { return m_narrowed; }

    // The printed lines of a row, at least one.
    QList<Line> rowLines(int row) const;

private:
    using Widths = std::array<double, MedicationList::ColumnCount>;

    static double sum(const Widths &widths);
    void narrow(Widths &widths, double tableWidth) const;
    double widestText(int column) const;
    double unbreakable(int column) const;

    const MedicationList &m_list;
    const TextMeasurer &m_measurer;
    LineWrapper m_wrapper;
    std::array<int, MedicationList::ColumnCount> m_columnX{};
    std::array<double, MedicationList::ColumnCount> m_textRoom{};
    bool m_narrowed = false;
};
