#pragma once

#include "MedicationList.h"

#include <QString>

#include <array>

class Clock;
class PrinterService;
class TextMeasurer;

// The printed medication list: on every page a page number and the title
// line, then the table in the grid's column arrangement with a rule under
// each row, and at the end the general notes. Every wrapping decision uses
// the main window's measuring font, so the printout breaks where the screen
// does; the printer's own text widths only move the print position.
class ListReport
{
public:
    using ColumnWidths = std::array<int, MedicationList::ColumnCount>;

    static constexpr int LeftEdge = 240;
    static constexpr int RuleRightMargin = 480;
    static constexpr int PageNumberFromRight = 2000;
    static constexpr int PageNumberTop = 120;
    static constexpr int TitleTop = 960;
    static constexpr int TitleFontSize = 10;
    static constexpr int BottomMargin = 480;
    // A Notes cell wraps when it is wider than the column up to the rule's
    // end, and is then cut where it gets wider than this much less.
    static constexpr int NotesCellMargin = 1200;
    static constexpr int GeneralNotesMargin = 900;
    // When the other columns leave the Notes less room than this, as the
    // grid keeps at least, Notes are cut at this width anyway: cut at the
    // room left, they would come out one character a line.
    static constexpr int MinimumNotesWidth = 600;

    ListReport(PrinterService &printer, const MedicationList &list, const TextMeasurer &measurer,
               const Clock &clock);

    // Writes all pages of the list onto the printer, with the columns placed
    // by the grid's widths in twips. The document is left for the caller to
    // end.
    void printPages(const ColumnWidths &gridColumnWidths);

    // The left edge of printed column 1 to 6, as the last run placed it.
    int ColumnX(int column) const { return m_columnX.at(column); }

    // Splits text into a first part narrower than limit and the rest, at the
    // last blank that allows it, else inside a word. Leaves first and rest as
    // they were when not even one character fits.
    void SplitNotesLine(const QString &text, double limit, QString &first, QString &rest) const;

private:
    void placeColumns(const ColumnWidths &gridColumnWidths);
    int LastRow() const;
    void printTitleAndTableFont();
    void rule();
    void printNotesCell(const QString &notes);
    void printGeneralNotes();
    void CheckPageBreak();

    PrinterService &m_printer;
    const MedicationList &m_list;
    const TextMeasurer &m_measurer;
    const Clock &m_clock;
    std::array<int, MedicationList::ColumnCount> m_columnX{};
};
