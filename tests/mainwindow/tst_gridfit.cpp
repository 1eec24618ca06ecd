#include "MainWindowFixture.h"

#include <QAction>
#include <QHeaderView>
#include <QStyledItemDelegate>

namespace {

// What the grid's delegate asks for to paint a cell whole, given the cell's
// painted rectangle; an invalid rectangle asks for the natural width.
QSize paintNeeds(const MedicationGrid &grid, int row, int column, const QRect &rect)
{
    const QModelIndex index = grid.tableModel().indexOfCell(row, column);
    QStyleOptionViewItem option;
    option.initFrom(grid.viewport());
    option.font = grid.font();
    option.fontMetrics = QFontMetrics(grid.font());
    option.features |= QStyleOptionViewItem::WrapText;
    option.rect = rect;
    return grid.itemDelegate()->sizeHint(option, index);
}

// The font choices, as the user makes them in the Font menu.
void chooseFont(MainWindow &w, bool large, bool bold)
{
    if (large)
        w.action("mnuFontSizeOp_1")->trigger();
    if (bold)
        w.action("mnuBold")->trigger();
}

void addFontRows()
{
    for (bool large : {false, true}) {
        for (bool bold : {false, true})
            QTest::addRow("%s%s", large ? "Large" : "Standard", bold ? ", bold" : "")
                << large << bold;
    }
}

} // namespace

class TestGridFit : public QObject
{
    Q_OBJECT

private slots:
    // Every line of a Notes cell shows, from 1 to 12 lines, wrapped or not,
    // in every font the user can choose.
    void rowsShowEveryLine_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("wrapped");
        for (bool wrapped : {false, true}) {
            for (bool large : {false, true}) {
                for (bool bold : {false, true})
                    QTest::addRow("%s%s, %s", large ? "Large" : "Standard", bold ? " bold" : "",
                                  wrapped ? "wrapped" : "short lines")
                        << large << bold << wrapped;
            }
        }
    }
    void rowsShowEveryLine()
    {
        QFETCH(bool, large);
        QFETCH(bool, bold);
        QFETCH(bool, wrapped);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        chooseFont(w, large, bold);
        const QString longLine = QStringLiteral("Take one tablet with a full glass of water, "
                                                "sitting upright, at least half an hour before "
                                                "breakfast and other medicines");
        for (int lines = 1; lines <= 12; ++lines) {
            QStringList text;
            for (int line = 1; line <= lines; ++line)
                text << (wrapped && line == 1 ? longLine : QStringLiteral("Line %1").arg(line));
            w.setCell(lines, 6, text.join(QStringLiteral("\r\n")));
        }
        w.form->SetColumnWidths();

        const MedicationGrid &grid = *w.grid();
        for (int row = 1; row <= 12; ++row) {
            const QRect painted = grid.visualRect(grid.tableModel().indexOfCell(row, 6));
            const int needed = paintNeeds(grid, row, 6, painted).height();
            QVERIFY2(painted.height() >= needed, qPrintable(QStringLiteral("row %1").arg(row)));
            // Room for the text and the grid line, a little air, at least 315.
            QCOMPARE(grid.rowHeight(row), std::max(315, (needed + 1) * 15 + 60));
        }
        QCOMPARE(grid.rowHeight(13), 315);
    }

    // The widest entry of each column shows whole, header and refill dates
    // the program shows in italics included.
    void columnsShowTheWidestEntry_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<bool>("bold");
        addFontRows();
    }
    void columnsShowTheWidestEntry()
    {
        QFETCH(bool, large);
        QFETCH(bool, bold);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        chooseFont(w, large, bold);
        w.setCell(2, 1, QStringLiteral("unsaved changes"));
        w.setCell(3, 2, QStringLiteral("WWW mmm 12.5 mg"));
        w.setCell(4, 3, QStringLiteral("Twice a day, with meals"));
        w.setCell(5, 4, QStringLiteral("100"));
        w.setCell(6, 5, QStringLiteral("when the box is nearly empty")); // shown in italics
        w.setCell(0, 4, QStringLiteral("Quantity in the box"));
        w.form->SetColumnWidths();

        const MedicationGrid &grid = *w.grid();
        for (int row = 2; row <= 6; ++row) {
            const int column = row - 1;
            const QRect painted = grid.visualRect(grid.tableModel().indexOfCell(row, column));
            QVERIFY2(painted.width() >= paintNeeds(grid, row, column, QRect()).width(),
                     qPrintable(w.cell(row, column)));
        }
        const QHeaderView *header = grid.horizontalHeader();
        QVERIFY(header->sectionSize(3) >= header->sectionSizeHint(3));
    }
};

QTEST_MAIN(TestGridFit)
#include "tst_gridfit.moc"
