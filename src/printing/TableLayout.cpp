#include "TableLayout.h"

#include "TextMeasurer.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr int FirstColumn = MedicationList::NameColumn;
constexpr int NotesColumn = MedicationList::NotesColumn;

} // namespace

TableLayout::TableLayout(const MedicationList &list, const TextMeasurer &measurer)
    : m_list(list), m_measurer(measurer), m_wrapper(measurer)
{}

void TableLayout::place(const ColumnWidths &gridWidths, int pageWidth)
{
    // A grid column may leave less than the gap beside its widest text, for
    // the screen pads cells less than the page needs.
    Widths widths{};
    for (int column = FirstColumn; column < NotesColumn; ++column)
        widths[column] =
            std::max(double(gridWidths[column]), std::ceil(widestText(column)) + ColumnGap);
    const double tableWidth = pageWidth - RightMargin - LeftEdge;
    m_narrowed = sum(widths) + MinimumNotesWidth > tableWidth;
    if (m_narrowed)
        narrow(widths, tableWidth);

    m_columnX[FirstColumn] = LeftEdge;
    for (int column = FirstColumn; column < NotesColumn; ++column) {
        m_columnX[column + 1] = m_columnX[column] + int(widths[column]);
        m_textRoom[column] = widths[column] - ColumnGap;
    }
    // Notes take what the other columns leave.
    m_textRoom[NotesColumn] =
        std::max(pageWidth - RightMargin - m_columnX[NotesColumn], MinimumNotesWidth);
}

// All six columns share the table's width. Notes would take their widest
// line; each column gives up the same share of what it has beyond its
// longest word and its heading (Notes at least 600 twips), so that one long
// text is what wraps, not the short columns beside it. If even that is too
// wide, all are cut down in proportion, and words break inside.
void TableLayout::narrow(Widths &widths, double tableWidth) const
{
    widths[NotesColumn] = std::max(std::ceil(widestText(NotesColumn)), double(MinimumNotesWidth));
    Widths floors{};
    for (int column = FirstColumn; column < NotesColumn; ++column)
        floors[column] = std::min(widths[column], std::ceil(unbreakable(column)) + ColumnGap);
    floors[NotesColumn] =
        std::min(widths[NotesColumn],
                 std::max(std::ceil(unbreakable(NotesColumn)), double(MinimumNotesWidth)));

    const double cut = sum(widths) - tableWidth;
    const double spare = sum(widths) - sum(floors);
    if (cut <= spare) {
        for (int column = FirstColumn; column <= NotesColumn; ++column)
            widths[column] -= (widths[column] - floors[column]) * cut / spare;
    } else {
        const double notes =
            std::max(floors[NotesColumn] * tableWidth / sum(floors), double(MinimumNotesWidth));
        const double others = sum(floors) - floors[NotesColumn];
        for (int column = FirstColumn; column < NotesColumn; ++column)
            widths[column] = floors[column] * std::max(tableWidth - notes, 0.0) / others;
    }
    for (double &width : widths)
        width = std::floor(width);
}

double TableLayout::sum(const Widths &widths)
{
    return std::accumulate(widths.begin(), widths.end(), 0.0);
}

double TableLayout::widestText(int column) const
{
    double widest = 0;
    for (int row = 0; row < MedicationList::RowCount; ++row)
        widest = std::max(widest, m_measurer.width(m_list.cell(row, column)));
    return widest;
}

// What a column cannot give up without breaking a word or its heading.
double TableLayout::unbreakable(int column) const
{
    QSet<QString> words;
    for (int row = 0; row < MedicationList::RowCount; ++row) {
        for (const QString &line : LineWrapper::userLines(m_list.cell(row, column))) {
            for (const QString &word : line.split(u' ', Qt::SkipEmptyParts))
                words.insert(word);
        }
    }
    double widest = m_measurer.width(m_list.cell(MedicationList::HeaderRow, column));
    for (const QString &word : std::as_const(words))
        widest = std::max(widest, m_measurer.width(word));
    return widest;
}

QList<TableLayout::Line> TableLayout::rowLines(int row) const
{
    std::array<QStringList, MedicationList::ColumnCount> columns;
    qsizetype count = 1;
    for (int column = FirstColumn; column <= NotesColumn; ++column) {
        const QString text = m_list.cell(row, column);
        if (text.isEmpty())
            continue;
        QStringList lines = LineWrapper::userLines(text);
        // A line break at the very end opens no line of its own.
        if (lines.size() > 1 && lines.last().isEmpty())
            lines.removeLast();
        for (const QString &line : std::as_const(lines))
            columns[column] << m_wrapper.wrap(line, m_textRoom[column]);
        count = std::max(count, columns[column].size());
    }
    QList<Line> printed(count);
    for (int column = FirstColumn; column <= NotesColumn; ++column) {
        for (qsizetype i = 0; i < columns[column].size(); ++i)
            printed[i][column] = columns[column].at(i);
    }
    return printed;
}
