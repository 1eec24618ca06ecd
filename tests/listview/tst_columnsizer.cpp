#include "ColumnSizer.h"

#include <QMap>
#include <QTest>

#include <algorithm>

namespace {

constexpr int LineHeight = 240;

using Cells = QList<QList<int>>;
using Heights = QMap<int, int>;

// Cells given as {row, column, width of each line, lines}, all in twips;
// a line wider than the column wraps onto as many lines as it needs.
class StandInMeasurer : public CellMeasurer
{
public:
    explicit StandInMeasurer(const Cells &cells)
    {
        for (const QList<int> &cell : cells)
            m_texts.insert({cell[0], cell[1]}, {cell[2], cell[3]});
    }
    int neededWidth(int row, int column) const override
    {
        return m_texts.value({row, column}, {0, 0}).first;
    }
    int neededHeight(int row, int column, int columnWidth) const override
    {
        const auto [lineWidth, lines] = m_texts.value({row, column}, {0, 0});
        const int wrapped = (lineWidth + columnWidth - 1) / std::max(columnWidth, 1);
        return lines * std::max(wrapped, 1) * LineHeight;
    }

private:
    QMap<std::pair<int, int>, std::pair<int, int>> m_texts;
};

} // namespace

class TestColumnSizer : public QObject
{
    Q_OBJECT

private slots:
    // Expected widths of columns 0 to 6 and the heights of the rows that are
    // not 315 twips high, worked out by hand: 480 for the marker column; the
    // widest text of columns 1 to 5, at least 720; Notes the page less 480
    // and the others, at least 600; a row its tallest cell plus 60.
    void compute_data()
    {
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<Heights>("heights");
        // clang-format off
        // 12000 - 480 - 480 - 5 * 720 = 7440
        QTest::newRow("empty, no printer: 12000 wide")
            << 0 << Cells{}
            << QList{480, 720, 720, 720, 720, 720, 7440} << Heights{};
        // 11906 - 480 - 480 - 4 * 720 - 1500 = 6566; a header row is never sized
        QTest::newRow("headers count, Notes' header not")
            << 11906 << Cells{{0, 1, 500, 1}, {0, 5, 1500, 1}, {0, 6, 9000, 1}}
            << QList{480, 720, 720, 720, 720, 1500, 6566} << Heights{};
        // 12240 - 480 - 480 - 2400 - 721 - 3 * 720 = 5999
        QTest::newRow("a long Name widens the column, Notes give way")
            << 12240 << Cells{{0, 1, 600, 1}, {30, 1, 2400, 1}, {49, 3, 721, 1}}
            << QList{480, 2400, 720, 721, 720, 720, 5999} << Heights{};
        // 3000 - 480 - 480 - 3600 < 600; 1200 wraps into 2 lines: 2 * 240 + 60
        QTest::newRow("others wider than the page: Notes 600")
            << 3000 << Cells{{2, 6, 1200, 1}}
            << QList{480, 720, 720, 720, 720, 720, 600} << Heights{{2, 540}};
        // 3 * 240 + 60 = 780; one line of 240 + 60 stays below 315
        QTest::newRow("three lines of Notes; one line is 315")
            << 0 << Cells{{5, 6, 1000, 3}, {6, 6, 7440, 1}}
            << QList{480, 720, 720, 720, 720, 720, 7440} << Heights{{5, 780}};
        // one twip wider than Notes: 2 lines, 540; 2 lines twice as wide: 4, 1020
        QTest::newRow("Notes wrap at the width Notes get")
            << 0 << Cells{{7, 6, 7441, 1}, {9, 6, 14880, 2}}
            << QList{480, 720, 720, 720, 720, 720, 7440} << Heights{{7, 540}, {9, 1020}};
        // 2 * 240 + 60 = 540 for the Name; the Dosage's 3 lines outgrow Notes' 2
        QTest::newRow("any column's lines, the tallest decides")
            << 0 << Cells{{3, 1, 700, 2}, {4, 2, 600, 3}, {4, 6, 600, 2}, {49, 4, 600, 2}}
            << QList{480, 720, 720, 720, 720, 720, 7440} << Heights{{3, 540}, {4, 780}, {49, 540}};
        // clang-format on
    }
    void compute()
    {
        QFETCH(int, pageWidth);
        QFETCH(Cells, cells);
        QFETCH(QList<int>, widths);
        QFETCH(Heights, heights);
        const ColumnSizes sizes = ColumnSizer::compute(StandInMeasurer(cells), pageWidth);
        QCOMPARE(QList<int>(sizes.columnWidths.begin(), sizes.columnWidths.end()), widths);
        QCOMPARE(sizes.rowHeights[0], 0);
        for (int row = 1; row < MedicationList::RowCount; ++row)
            QCOMPARE(sizes.rowHeights[row], heights.value(row, 315));
    }

    // The page's layout of an empty list at no printer is 480, 5 * 720 and
    // 7440: 11520 twips. Row 2's Notes line is 9000 wide, row 5 has 2 lines
    // of 3000.
    void fillGrid_data()
    {
        QTest::addColumn<int>("gridWidth");
        QTest::addColumn<int>("notesWidth");
        QTest::addColumn<Heights>("heights");
        // 9000 in 7440: 2 lines, 540; 3000 fits: 2 lines, 540
        QTest::newRow("narrower than the layout: as laid out")
            << 9000 << 7440 << Heights{{2, 540}, {5, 540}};
        QTest::newRow("as wide as the layout") << 11520 << 7440 << Heights{{2, 540}, {5, 540}};
        // 9000 in 8999: still 2 lines
        QTest::newRow("wider: Notes take the rest") << 13079 << 8999 << Heights{{2, 540}, {5, 540}};
        // 9000 in 9000: 1 line, 300 < 315
        QTest::newRow("wide enough for the line") << 13080 << 9000 << Heights{{5, 540}};
    }
    void fillGrid()
    {
        QFETCH(int, gridWidth);
        QFETCH(int, notesWidth);
        QFETCH(Heights, heights);
        const StandInMeasurer measurer({{2, 6, 9000, 1}, {5, 6, 3000, 2}});
        const ColumnSizes layout = ColumnSizer::compute(measurer, 0);
        const ColumnSizes shown = ColumnSizer::fillGrid(measurer, layout, gridWidth);
        QCOMPARE(QList<int>(shown.columnWidths.begin(), shown.columnWidths.end()),
                 QList({480, 720, 720, 720, 720, 720, notesWidth}));
        for (int row = 1; row < MedicationList::RowCount; ++row)
            QCOMPARE(shown.rowHeights[row], heights.value(row, 315));
    }
};

QTEST_GUILESS_MAIN(TestColumnSizer)
#include "tst_columnsizer.moc"
