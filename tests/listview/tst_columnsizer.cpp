#include "ColumnSizer.h"

#include <QMap>
#include <QTest>

#include <algorithm>

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
        return m_texts.value({row, column}).first;
    }
    int neededHeight(int row, int column, int columnWidth) const override
    {
        const auto [lineWidth, lines] = m_texts.value({row, column});
        return lines * std::max((lineWidth + columnWidth - 1) / columnWidth, 1) * 240;
    }

private:
    QMap<std::pair<int, int>, std::pair<int, int>> m_texts;
};

class TestColumnSizer : public QObject
{
    Q_OBJECT

private slots:
    // Widths of columns 0 to 6 and the heights of the rows that are not 315
    // twips high, worked out by hand: 480 for the marker column; the widest
    // text of columns 1 to 5, at least 720; Notes the page less 480 and the
    // others, at least 600, or what a wider grid leaves; a row its tallest
    // cell plus 60.
    // A grid width of 0 asks for the page's layout alone.
    void compute_data()
    {
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<int>("gridWidth");
        QTest::addColumn<Cells>("cells");
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<Heights>("heights");
        // clang-format off
        // 12000 - 480 - 480 - 5 * 720 = 7440
        QTest::newRow("empty, no printer: 12000 wide")
            << 0 << 0 << Cells{}
            << QList{480, 720, 720, 720, 720, 720, 7440} << Heights{};
        // 6000 - 480 - 480 - 2400 - 720 - 721 - 720 - 1500 < 600
        QTest::newRow("widest of headers and rows; Notes' header not; Notes at least 600")
            << 6000 << 0 << Cells{{0, 1, 500, 1}, {30, 1, 2400, 1}, {49, 3, 721, 1},
                                   {0, 5, 1500, 1}, {0, 6, 9000, 1}}
            << QList{480, 2400, 720, 721, 720, 1500, 600} << Heights{};
        // one line of 240 + 60 stays 315; one twip wider than Notes wraps: 540;
        // the Dosage's 3 lines, 780, outgrow Notes' 2
        QTest::newRow("the tallest cell of any column decides")
            << 0 << 0 << Cells{{3, 1, 700, 2}, {4, 2, 600, 3}, {4, 6, 600, 2}, {6, 6, 7440, 1},
                               {7, 6, 7441, 1}, {49, 4, 600, 2}}
            << QList{480, 720, 720, 720, 720, 720, 7440}
            << Heights{{3, 540}, {4, 780}, {7, 540}, {49, 540}};
        // The page's layout is 11520 wide; 9000 in 9000: 1 line, 300 < 315
        QTest::newRow("a grid wide enough for the line")
            << 0 << 13080 << Cells{{2, 6, 9000, 1}, {5, 6, 3000, 2}}
            << QList{480, 720, 720, 720, 720, 720, 9000} << Heights{{5, 540}};
        QTest::newRow("a narrower grid: as laid out")
            << 0 << 9000 << Cells{{2, 6, 9000, 1}}
            << QList{480, 720, 720, 720, 720, 720, 7440} << Heights{{2, 540}};
        // clang-format on
    }
    void compute()
    {
        QFETCH(int, pageWidth);
        QFETCH(int, gridWidth);
        QFETCH(Cells, cells);
        QFETCH(QList<int>, widths);
        QFETCH(Heights, heights);
        const StandInMeasurer measurer(cells);
        ColumnSizes sizes = ColumnSizer::compute(measurer, pageWidth);
        if (gridWidth)
            sizes = ColumnSizer::fillGrid(measurer, sizes, gridWidth);
        QCOMPARE(QList<int>(sizes.columnWidths.begin(), sizes.columnWidths.end()), widths);
        QCOMPARE(sizes.rowHeights[0], 0);
        for (int row = 1; row < MedicationList::RowCount; ++row)
            QCOMPARE(sizes.rowHeights[row], heights.value(row, 315));
    }
};

QTEST_GUILESS_MAIN(TestColumnSizer)
#include "tst_columnsizer.moc"
