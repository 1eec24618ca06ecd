#include "ListReport.h"

#include "Clock.h"
#include "PrinterService.h"
#include "TextMeasurer.h"

#include <QLocale>

#include <cmath>

namespace {

const QString NotesMarker = QStringLiteral("     > ");
const QString NotesContinuation = QStringLiteral("           ");

} // namespace

ListReport::ListReport(PrinterService &printer, const MedicationList &list,
                       const TextMeasurer &measurer, const Clock &clock)
    : m_printer(printer), m_list(list), m_measurer(measurer), m_clock(clock),
      m_layout(list, measurer), m_wrapper(measurer)
{}

void ListReport::printPages(const ColumnWidths &gridColumnWidths)
{
    m_layout.place(gridColumnWidths, m_printer.pageWidth());
    m_section = Section::Table;
    // The printer's count is read only once the page has begun.
    printPageHeader(1);
    setTableFont();
    rule();

    const int lastRow = LastRow();
    const bool notesFollow = !m_list.notes().isEmpty();
    for (int row = MedicationList::HeaderRow; row <= lastRow; ++row) {
        // A break with nothing left to print would leave an empty page.
        const bool moreFollows = row < lastRow || notesFollow;
        const QList<TableLayout::Line> lines = m_layout.rowLines(row);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            printLine(lines.at(i));
            const bool rowEnds = i == lines.size() - 1;
            // Under the row on the page where it ends, before any break.
            if (rowEnds)
                rule();
            if (!rowEnds || moreFollows)
                CheckPageBreak();
        }
        m_printer.printAndEndLine();
        if (moreFollows)
            CheckPageBreak();
    }
    printGeneralNotes();
}

// Rows after the last filled Name are not printed; empty rows before it are.
int ListReport::LastRow() const
{
    for (int row = MedicationList::LastDataRow; row > MedicationList::HeaderRow; --row) {
        if (!m_list.cell(row, MedicationList::NameColumn).isEmpty())
            return row;
    }
    return MedicationList::HeaderRow;
}

void ListReport::printPageHeader(int pageNumber)
{
    m_printer.setFontSize(PageNumberFontSize);
    m_printer.setBold(false);
    m_printer.setX(m_printer.pageWidth() - PageNumberFromRight);
    m_printer.setY(PageNumberTop);
    m_printer.printAndEndLine(QStringLiteral("Page %1").arg(pageNumber));

    m_printer.setX(LeftEdge);
    m_printer.setY(TitleTop);
    const int savedSize = int(std::nearbyint(m_printer.fontSize()));
    m_printer.setFontSize(TitleFontSize);
    m_printer.setBold(true);
    m_printer.printAndEndLine(
        m_list.CurrentListName() + QStringLiteral(" - Medications List     (") +
        QLocale().toString(m_clock.today(), QLocale::LongFormat) + QStringLiteral(")"));
    m_printer.setFontSize(savedSize);
    m_printer.setBold(false);
    m_printer.printAndEndLine();
}

void ListReport::setTableFont()
{
    m_printer.setFontSize(m_list.settings().fontSize);
    m_printer.setBold(m_list.settings().bold);
}

void ListReport::printLine(const TableLayout::Line &line)
{
    for (int column = MedicationList::NameColumn; column <= MedicationList::NotesColumn; ++column) {
        if (line[column].isEmpty())
            continue;
        m_printer.setX(ColumnX(column));
        m_printer.printAndStay(line[column]);
    }
    m_printer.printAndEndLine();
}

void ListReport::rule()
{
    const double y = m_printer.y();
    m_printer.line(LeftEdge, y, m_printer.pageWidth() - RuleRightMargin, y);
}

// No page break check inside: the heading always stays whole.
void ListReport::printTableHeading()
{
    const QList<TableLayout::Line> lines = m_layout.rowLines(MedicationList::HeaderRow);
    for (const TableLayout::Line &line : lines)
        printLine(line);
    rule();
    m_printer.printAndEndLine();
}

void ListReport::printGeneralNotes()
{
    const QString notes = m_list.notes();
    if (notes.isEmpty())
        return;
    m_section = Section::GeneralNotes;
    m_printer.printAndEndLine();
    CheckPageBreak();
    m_printer.setX(LeftEdge);
    m_printer.setBold(true);
    m_printer.printAndEndLine(QStringLiteral("General notes:"));
    m_printer.setBold(false);
    CheckPageBreak();

    // The notes end where the table's rules end.
    const double room = m_printer.pageWidth() - RuleRightMargin - LeftEdge;
    const double firstRoom = room - m_measurer.width(NotesMarker);
    const double nextRoom = room - m_measurer.width(NotesContinuation);
    const QStringList lines = LineWrapper::userLines(notes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QStringList pieces = m_wrapper.wrap(lines.at(i), firstRoom, nextRoom);
        for (qsizetype j = 0; j < pieces.size(); ++j) {
            m_printer.setX(LeftEdge);
            m_printer.printAndEndLine((j == 0 ? NotesMarker : NotesContinuation) + pieces.at(j));
            if (i < lines.size() - 1 || j < pieces.size() - 1)
                CheckPageBreak();
        }
    }
}

// A new page repeats the table's heading only while rows are still to come;
// among the general notes it carries the page number and title alone.
void ListReport::CheckPageBreak()
{
    if (float(m_printer.y()) < float(m_printer.printableHeight()) - float(BottomMargin))
        return;
    m_printer.newPage();
    printPageHeader(m_printer.pageNumber());
    if (m_section == Section::Table) {
        setTableFont();
        rule();
        printTableHeading();
    } else {
        m_printer.setFontSize(m_list.settings().fontSize);
        m_printer.setBold(false);
    }
}
