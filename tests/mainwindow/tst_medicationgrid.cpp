#include "MainWindowFixture.h"
#include "Twips.h"
#include "storage/TemporaryTrash.h"

#include <QHeaderView>

using namespace Qt::StringLiterals;

class TestMedicationGrid : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // Whatever the grid showed before, after each command it shows what a
    // fresh fit and highlight of the list it now holds would show, with the
    // row marker on the current row alone.
    void afterEachCommand_data()
    {
        QTest::addColumn<Step>("command");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("current");
        const auto press = [](auto button, bool asks) {
            return Step([=](MainWindow &w) {
                if (asks)
                    w.prompter.answers << true;
                QVERIFY(w.press(button));
            });
        };
        QTest::newRow("New") << Step([](MainWindow &w) { w.openList(u"Eve"_s); }) << "Eve"
                             << QPoint(1, 1);
        QTest::newRow("Load of a list with a refill due")
            << Step([](MainWindow &w) { w.choose(u"Dad"_s); }) << "Dad" << QPoint(1, 1);
        QTest::newRow("Delete") << press(Form1Ui::DeleteButton, true) << "" << QPoint(1, 1);
        QTest::newRow("row Delete")
            << press(Form1Ui::DeleteRowButton, true) << "Mum" << QPoint(3, 6);
        QTest::newRow("Down") << press(Form1Ui::DownButton, false) << "Mum" << QPoint(4, 6);
    }
    void afterEachCommand()
    {
        QFETCH(Step, command);
        QFETCH(QString, name);
        MainWindow w("Mum\r\nDad\r\n");
        MedicationList dad;
        dad.setCurrentListName(u"Dad"_s);
        dad.setCell(2, 1, u"Warfarin"_s);
        dad.setCell(2, 5, Today.addDays(3).toString(Qt::ISODate));
        dad.setCell(2, 6, u"1\r\n2\r\n3"_s);
        QVERIFY(w.store.save(dad));
        w.write("Mum.dat", windowsFile());
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.setCell(3, 6, u"1\r\n2\r\n3\r\n4"_s);
        w.form->SetColumnWidths();
        w.grid()->setCurrentCell(3, 6);
        command(w);
        QCOMPARE(w.name(), name);
        QCOMPARE(w.selector()->currentText(), name);
        QTEST(QPoint(w.grid()->row(), w.grid()->col()), "current");
        const auto shown = [&w] {
            QList<int> shown;
            for (int column = 0; column <= 6; ++column)
                shown << w.grid()->colWidth(column);
            for (int row = 1; row <= 49; ++row)
                shown << w.grid()->rowHeight(row) << w.due(row);
            return shown;
        };
        const QList<int> before = shown();
        w.form->SetColumnWidths();
        w.form->HighlightRefillDates();
        QCOMPARE(before, shown());
        QVERIFY(w.tick());
        const MedicationTableModel &model = w.grid()->tableModel();
        for (int row = 1; row <= 49; ++row)
            QVERIFY2(model.hasRowMarker(row) == (row == w.grid()->row()), qPrintable(name));
    }

    // Committing Notes of four lines grows row 1 under the pointer of a click
    // six rows lower: the click still lands on the cell it was made on, and
    // that cell alone is highlighted, marked and current.
    void oneCurrentCell()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        for (int row = 1; row <= 12; ++row)
            w.setCell(row, 1, u"Med %1"_s.arg(row));
        QVERIFY(w.type(1, 6, u"1\n2\n3\n4"_s));
        MedicationGrid *grid = w.grid();
        const int before = grid->rowHeight(1);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, w.centreOf(7, 2));
        QVERIFY(grid->rowHeight(1) > before);
        const QModelIndex clicked = grid->tableModel().indexOfCell(7, 2);
        QCOMPARE(grid->currentIndex(), clicked);
        QCOMPARE(grid->selectionModel()->selectedIndexes(), QModelIndexList{clicked});
        QTRY_VERIFY(grid->tableModel().hasRowMarker(7));
        w.prompter.answers << false;
        QVERIFY(w.press(Form1Ui::DeleteRowButton));
        QCOMPARE(w.prompter.log, QStringList{u"ask Pillora: Delete Med 7?"_s});
    }

    // At the window's first size Notes runs past the grid's right edge. The
    // grid scrolls a clicked cell into view half a second after the click;
    // that must neither end the edit nor count as a change.
    void doubleClickOnAHalfHiddenCell()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.setCell(3, 6, u"Take with food"_s);
        MedicationGrid *grid = w.grid();
        const QModelIndex notes = grid->tableModel().indexOfCell(3, 6);
        const QRect cell = grid->visualRect(notes);
        QVERIFY(cell.right() > grid->viewport()->width());
        w.doubleClick(QPoint(cell.left() + 20, cell.center().y()));
        QWidget *editor = w.control("Text3");
        QTRY_VERIFY(editor->hasFocus());
        QTRY_VERIFY(grid->visualRect(notes).left() >= 0);
        QVERIFY(editor->isVisible() && editor->hasFocus() && !w.changed());
        QCOMPARE(editor->geometry().topLeft(),
                 grid->viewport()->mapTo(w.form.get(), grid->visualRect(notes).topLeft()));
        QTest::keyClicks(editor, u"!"_s);
        grid->setCurrentCell(9, 1);
        QCOMPARE(w.cell(3, 6), u"Take with food!"_s);
    }

    // A grid wider than the page's layout gives Notes the rest of its width,
    // and the rows follow; the layout the printout takes stays the page's.
    void notesFillTheGrid_data()
    {
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<bool>("wrapped");
        QTest::newRow("as designed: Notes run past the edge") << 11550 << false << true;
        QTest::newRow("a little wider than the page") << 13500 << true << true;
        QTest::newRow("wide enough for the line") << 24000 << true << false;
    }
    void notesFillTheGrid()
    {
        QFETCH(int, clientWidth);
        QFETCH(bool, filled);
        QFETCH(bool, wrapped);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        MedicationGrid *grid = w.grid();
        const int pageNotes = grid->colWidth(6);
        const QFontMetrics metrics(grid->font());
        QString line;
        while (metrics.horizontalAdvance(line) < Twips::toPixels(pageNotes) * 13 / 10)
            line += u"Take with food. "_s;
        w.setCell(2, 6, line.trimmed());
        w.form->SetColumnWidths();
        w.form->resize(Twips::toPixels(clientWidth), w.form->height());
        QCOMPARE(grid->width(), Twips::toPixels(clientWidth - 240));
        const QHeaderView *columns = grid->horizontalHeader();
        if (filled)
            QTRY_COMPARE(columns->length(), grid->viewport()->width());
        else
            QCoreApplication::processEvents(); // the fitting that follows the grid's width
        QCOMPARE(columns->sectionSize(5) > Twips::toPixels(pageNotes), filled);
        QCOMPARE(grid->colWidth(6), pageNotes);
        QCOMPARE(grid->rowHeight(2) > ColumnSizer::MinimumRowHeight, wrapped);
        QVERIFY(grid->verticalHeader()->sectionSize(1) >=
                (wrapped ? 2 : 1) * metrics.lineSpacing());
    }
};

QTEST_MAIN(TestMedicationGrid)
#include "tst_medicationgrid.moc"
