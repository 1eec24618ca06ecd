#include "MainWindowFixture.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

namespace {

// What the grid's delegate asks for to paint a cell whole within the cell's
// painted rectangle; an invalid rectangle asks for the natural width.
QSize paintNeeds(const MedicationGrid &grid, int row, int column, const QRect &rect)
{
    QStyleOptionViewItem option;
    option.initFrom(grid.viewport());
    option.font = grid.font();
    option.fontMetrics = QFontMetrics(grid.font());
    option.features |= QStyleOptionViewItem::WrapText;
    option.rect = rect;
    return grid.itemDelegate()->sizeHint(option, grid.tableModel().indexOfCell(row, column));
}

} // namespace

class TestGridFit : public QObject
{
    Q_OBJECT

private slots:
    // In every font the user can choose: every line of Notes shows, from 1
    // to 12 lines (rows 1 to 12) and with a first line that wraps (rows 13
    // to 24), and the widest entry of each other column shows whole, the
    // header and a refill date shown in italics included.
    void cellsShowWhole_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Standard") << false << false;
        QTest::newRow("Standard, bold") << false << true;
        QTest::newRow("Large") << true << false;
        QTest::newRow("Large, bold") << true << true;
    }
    void cellsShowWhole()
    {
        QFETCH(bool, large);
        QFETCH(bool, bold);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        if (large)
            w.action("mnuFontSizeOp_1")->trigger();
        if (bold)
            w.action("mnuBold")->trigger();
        QStringList lines;
        for (int count = 1; count <= 12; ++count) {
            lines << QStringLiteral("Line %1").arg(count);
            QStringList wrapped = lines;
            wrapped[0] = "Take one tablet with a full glass of water, sitting upright, at least "
                         "half an hour before breakfast and other medicines";
            w.setCell(count, 6, lines.join(QStringLiteral("\r\n")));
            w.setCell(count + 12, 6, wrapped.join(QStringLiteral("\r\n")));
        }
        const QStringList widest{"unsaved changes", "WWW mmm 12.5 mg", "Twice a day, with meals",
                                 "100", "when the box is nearly empty"};
        for (int column = 1; column <= 5; ++column)
            w.setCell(30 + column, column, widest[column - 1]);
        w.setCell(0, 4, QStringLiteral("Quantity in the box"));
        w.form->SetColumnWidths();

        const MedicationGrid &grid = *w.grid();
        const auto painted = [&](int row, int column) {
            return grid.visualRect(grid.tableModel().indexOfCell(row, column));
        };
        for (int row = 1; row <= 24; ++row) {
            const QRect cell = painted(row, 6);
            QVERIFY2(cell.height() >= paintNeeds(grid, row, 6, cell).height(),
                     qPrintable(QStringLiteral("row %1").arg(row)));
        }
        for (int column = 1; column <= 5; ++column) {
            QVERIFY2(painted(30 + column, column).width() >=
                         paintNeeds(grid, 30 + column, column, QRect()).width(),
                     qPrintable(widest[column - 1]));
        }
        QVERIFY(grid.horizontalHeader()->sectionSize(3) >=
                grid.horizontalHeader()->sectionSizeHint(3));
    }
};

QTEST_MAIN(TestGridFit)
#include "tst_gridfit.moc"
