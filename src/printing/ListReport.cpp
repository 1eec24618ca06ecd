#include "ListReport.h"

#include "Clock.h"
#include "PrinterService.h"
#include "TextMeasurer.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

const QString LineBreak = QStringLiteral("\r\n");
const QString NotesMarker = QStringLiteral("     > ");
const QString NotesContinuation = QStringLiteral("           ");

} // namespace

ListReport::ListReport(PrinterService &printer, const MedicationList &list,
                       const TextMeasurer &measurer, const Clock &clock)
    : m_printer(printer), m_list(list), m_measurer(measurer), m_clock(clock)
{}

void ListReport::printPages(const ColumnWidths &gridColumnWidths)
{
    placeColumns(gridColumnWidths);

    m_printer.setX(m_printer.pageWidth() - PageNumberFromRight);
    m_printer.setY(PageNumberTop);
    m_printer.printAndEndLine(QStringLiteral("Page 1"));
    printTitleAndTableFont();

    const int lastRow = LastRow();
    for (int row = 0; row <= lastRow; ++row) {
        for (int column = MedicationList::NameColumn; column < MedicationList::ColumnCount;
             ++column) {
            const QString text = m_list.cell(row, column);
            if (column == MedicationList::NotesColumn) {
                printNotesCell(text);
            } else {
                m_printer.setX(ColumnX(column));
                m_printer.printAndStay(text);
            }
        }
        m_printer.printAndEndLine();
        CheckPageBreak();
        rule();
        CheckPageBreak();
        m_printer.printAndEndLine();
        CheckPageBreak();
    }
    printGeneralNotes();
}

void ListReport::placeColumns(const ColumnWidths &gridColumnWidths)
{
    m_columnX[MedicationList::NameColumn] = LeftEdge;
    for (int column = MedicationList::NameColumn + 1; column < MedicationList::ColumnCount;
         ++column)
        m_columnX[column] = m_columnX[column - 1] + gridColumnWidths[column - 1];
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

void ListReport::printTitleAndTableFont()
{
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
    m_printer.setFontSize(m_list.settings().fontSize);
    m_printer.setBold(m_list.settings().bold);
    rule();
}

void ListReport::rule()
{
    const double y = m_printer.y();
    m_printer.line(LeftEdge, y, m_printer.pageWidth() - RuleRightMargin, y);
}

// Continuation lines start at the Notes column while the row's other cells
// stay on its first line. Only a piece cut for width is followed by a page
// break check; a piece ended by a line break of the user's is not.
void ListReport::printNotesCell(const QString &notes)
{
    const int left = ColumnX(MedicationList::NotesColumn);
    const int room = std::max((m_printer.pageWidth() - RuleRightMargin) - left, MinimumNotesWidth);
    const bool wraps = notes.contains(LineBreak) || m_measurer.width(notes) > room;
    if (!wraps) {
        m_printer.setX(left);
        m_printer.printAndStay(notes);
        return;
    }
    QString piece;
    const qsizetype length = notes.size();
    // k counts characters from 1, as the walk is described.
    for (qsizetype k = 1; k <= length; ++k) {
        if (notes.at(k - 1) == u'\r') {
            ++k; // the LF after the CR goes with it
            m_printer.setX(left);
            if (k == length) {
                m_printer.printAndStay(piece);
            } else {
                m_printer.printAndEndLine(piece);
                piece.clear();
            }
            continue;
        }
        piece += notes.at(k - 1);
        if (k == length) {
            m_printer.setX(left);
            m_printer.printAndStay(piece);
        } else if (m_measurer.width(piece) >
                   std::max((m_printer.pageWidth() - NotesCellMargin) - left, MinimumNotesWidth)) {
            m_printer.setX(left);
            m_printer.printAndEndLine(piece);
            piece.clear();
            CheckPageBreak();
        }
    }
}

void ListReport::printGeneralNotes()
{
    const QString notes = m_list.notes();
    if (notes.isEmpty())
        return;
    m_printer.printAndEndLine();
    CheckPageBreak();
    m_printer.setX(LeftEdge);
    m_printer.setBold(true);
    m_printer.printAndEndLine(QStringLiteral("General notes:"));
    m_printer.setBold(false);
    CheckPageBreak();

    for (const QString &line : notes.split(LineBreak)) {
        const float limit = float(m_printer.pageWidth() - GeneralNotesMargin);
        if (m_measurer.width(line) > limit) {
            QString first;
            QString rest;
            SplitNotesLine(line, limit, first, rest);
            m_printer.setX(LeftEdge);
            m_printer.printAndEndLine(NotesMarker + first);
            CheckPageBreak();
            m_printer.setX(LeftEdge);
            m_printer.printAndEndLine(NotesContinuation + rest);
            CheckPageBreak();
        } else {
            m_printer.setX(LeftEdge);
            m_printer.printAndEndLine(NotesMarker + line);
            CheckPageBreak();
        }
    }
}

void ListReport::CheckPageBreak()
{
    if (float(m_printer.y()) < float(m_printer.printableHeight()) - float(BottomMargin))
        return;
    m_printer.newPage();
    m_printer.setX(m_printer.pageWidth() - PageNumberFromRight);
    m_printer.setY(PageNumberTop);
    m_printer.printAndEndLine(QStringLiteral("Page %1").arg(m_printer.pageNumber()));
    printTitleAndTableFont();
    for (int column = MedicationList::NameColumn; column < MedicationList::ColumnCount; ++column) {
        m_printer.setX(ColumnX(column));
        m_printer.printAndStay(m_list.cell(MedicationList::HeaderRow, column));
    }
    m_printer.printAndEndLine();
    rule();
    m_printer.printAndEndLine();
}

void ListReport::SplitNotesLine(const QString &text, double limit, QString &first,
                                QString &rest) const
{
    if (m_measurer.width(text) <= limit) {
        first = text;
        rest.clear();
        return;
    }
    qsizetype n = text.size();
    while (n >= 1 && m_measurer.width(text.first(n)) >= limit)
        --n;
    if (n == 0)
        return;
    const qsizetype blank = text.lastIndexOf(u' ', n - 1);
    if (blank >= 0) {
        first = text.first(blank);
        rest = text.sliced(blank + 1);
    } else {
        first = text.first(n);
        rest = text.sliced(n);
    }
}
