#pragma once

#include "LineWrapper.h"
#include "MedicationList.h"
#include "TableLayout.h"

#include <QString>

class Clock;
class PrinterService;
class TextMeasurer;

// The printed medication list: on every page a page number and the title
// line, then the table in the grid's column arrangement with a rule under
// each row, and at the end the general notes. Every wrapping decision uses
// the main window's measuring font; the printer's own text widths only move
// the print position. Every line printed is followed by a page break check,
// so whatever a row or the notes hold lands on paper, inside the page.
class ListReport
{
public:
    using ColumnWidths = TableLayout::ColumnWidths;

    static constexpr int LeftEdge = TableLayout::LeftEdge;
    static constexpr int RuleRightMargin = TableLayout::RightMargin;
    static constexpr int PageNumberFromRight = 2000;
    static constexpr int PageNumberTop = 120;
    // Page numbers keep one font whatever the page before them set.
    static constexpr int PageNumberFontSize = 10;
    static constexpr int TitleTop = 960;
    static constexpr int TitleFontSize = 10;
    static constexpr int BottomMargin = 480;

    ListReport(PrinterService &printer, const MedicationList &list, const TextMeasurer &measurer,
               const Clock &clock);

    // Writes all pages of the list onto the printer, with the columns placed
    // by the grid's widths in twips. The document is left for the caller to
    // end.
    void printPages(const ColumnWidths &gridColumnWidths);

    // The left edge of printed column 1 to 6, as the last run placed it.
    int ColumnX(int column) const { return m_layout.ColumnX(column); }
    const TableLayout &layout() const { return m_layout; }

private:
    enum class Section
    {
        Table,
        GeneralNotes
    };

    int LastRow() const;
    void printPageHeader(int pageNumber);
    void printTableHeading();
    void printLine(const TableLayout::Line &line);
    void rule();
    void setTableFont();
    void printGeneralNotes();
    void CheckPageBreak();

    PrinterService &m_printer;
    const MedicationList &m_list;
    const TextMeasurer &m_measurer;
    const Clock &m_clock;
    TableLayout m_layout;
    LineWrapper m_wrapper;
    Section m_section = Section::Table;
};
