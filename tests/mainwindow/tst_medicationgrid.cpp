#include "MedicationGrid.h"
#include "MedicationTableModel.h"
#include "TestServices.h"

#include <QScrollBar>
#include <QSignalSpy>

class TestMedicationGrid : public QObject
{
    Q_OBJECT

private slots:
    void leaveCell_data()
    {
        QTest::addColumn<QString>("move");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("program sets the cell") << "set" << 5 << 3 << true;
        QTest::newRow("program sets the row") << "setRow" << 4 << 1 << true;
        QTest::newRow("Down key") << "Down" << 2 << 1 << true;
        QTest::newRow("Right key") << "Right" << 1 << 2 << true;
        QTest::newRow("mouse click") << "click" << 3 << 4 << true;
        QTest::newRow("same cell") << "set" << 1 << 1 << false;
        QTest::newRow("Up key in the first row") << "Up" << 1 << 1 << false;
        QTest::newRow("header row never current") << "set" << 0 << 2 << false;
    }
    void leaveCell()
    {
        QFETCH(QString, move);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(bool, leaves);
        TestWindow window;
        QVERIFY(window.show());
        MedicationGrid *grid = window->grid();
        QList<QPoint> currentWhenLeaving;
        connect(grid, &MedicationGrid::leaveCell, this,
                [&] { currentWhenLeaving << QPoint(grid->col(), grid->row()); });

        if (move == u"set") {
            grid->setCurrentCell(row, column);
        } else if (move == u"setRow") {
            grid->setRow(row);
        } else if (move == u"click") {
            const QModelIndex cell = grid->tableModel().indexOfCell(row, column);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(cell).center());
        } else {
            QTest::keyClick(grid, move == u"Down"    ? Qt::Key_Down
                                  : move == u"Right" ? Qt::Key_Right
                                                     : Qt::Key_Up);
        }

        QCOMPARE(currentWhenLeaving, leaves ? QList<QPoint>{QPoint(1, 1)} : QList<QPoint>{});
        QCOMPARE(QPoint(grid->col(), grid->row()), leaves ? QPoint(column, row) : QPoint(1, 1));
    }

    void scrollSignal()
    {
        TestWindow window;
        QVERIFY(window.show());
        MedicationGrid *grid = window->grid();
        QSignalSpy scrolled(grid, &MedicationGrid::scrolled);
        grid->setCurrentCell(3, 1);
        QVERIFY(scrolled.isEmpty());
        grid->setTopRow(20);
        QCOMPARE(grid->topRow(), 20);
        QVERIFY(!scrolled.isEmpty());
        scrolled.clear();
        grid->verticalScrollBar()->setValue(0);
        QCOMPARE(grid->topRow(), 1);
        QVERIFY(!scrolled.isEmpty());
        scrolled.clear();
        grid->setCurrentCell(45, 1);
        QVERIFY(grid->topRow() > 1);
        QVERIFY(!scrolled.isEmpty());
    }

    // A lone CR, as a file from elsewhere may hold, breaks the line as CR LF does.
    void notesShowTheirLineBreaks()
    {
        TestWindow window;
        MedicationGrid *grid = window->grid();
        QVERIFY(grid->wordWrap());
        window->list().setCell(4, 6, QStringLiteral("Morning\r\nNoon\rEvening"));
        window->list().setCell(0, 6, QStringLiteral("Notes\r\n\r\nhere"));
        QCOMPARE(grid->tableModel().indexOfCell(4, 6).data().toString(), "Morning\nNoon\nEvening");
        QCOMPARE(grid->model()->headerData(5, Qt::Horizontal).toString(), "Notes\n\nhere");
    }
};

QTEST_MAIN(TestMedicationGrid)
#include "tst_medicationgrid.moc"
