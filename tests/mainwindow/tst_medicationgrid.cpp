#include "MainWindowFixture.h"
#include "Twips.h"

#include <QHeaderView>

using namespace Qt::StringLiterals;

class TestMedicationGrid : public QObject
{
    Q_OBJECT

private slots:
    // The window marks what the refill-date rules say, in the user's locale;
    // an unreadable date is italic, with today in the readable forms as tip.
    void refillDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("due");
        QTest::addColumn<bool>("readable");
        const auto day = [](int offset) { return Today.addDays(offset).toString(Qt::ISODate); };
        // clang-format off
        QTest::newRow("7 days ahead")         << "en_US" << day(7)  << day(7)       << true  << true;
        QTest::newRow("due date cleared")     << "en_US" << day(0)  << ""           << false << true;
        QTest::newRow("words")                << "de_DE" << ""      << "soon"       << false << false;
        QTest::newRow("day first")            << "de_DE" << ""      << "13.12.2026" << false << true;
        // clang-format on
    }
    void refillDates()
    {
        QFETCH(QString, locale);
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(bool, due);
        QFETCH(bool, readable);
        QLocale::setDefault(QLocale(locale));
        MainWindow w;
        for (const QString &refill : {before, text}) {
            w.setCell(49, 5, refill); // the last row
            w.form->HighlightRefillDates();
        }
        const QModelIndex cell = w.grid()->tableModel().indexOfCell(49, 5);
        const QString tip = cell.data(Qt::ToolTipRole).toString();
        const bool italic = cell.data(MedicationTableModel::UnreadableDateRole).toBool();
        QLocale::setDefault(QLocale::c());
        QCOMPARE(w.due(49), due);
        QCOMPARE(italic, !readable);
        QCOMPARE(tip.contains(Today.toString(Qt::ISODate)) &&
                     tip.contains(QLocale(locale).toString(Today, QLocale::ShortFormat)),
                 !readable);
    }

    // Leave-cell comes while the old cell is current: an open edit goes there.
    void greyOutsideTheCellsAndTheCurrentCell()
    {
        MainWindow w;
        QVERIFY(w.show());
        MedicationGrid *grid = w.grid();
        QCOMPARE(grid->width() * Twips::PerPixel, 11310); // laid out for the window
        const MedicationTableModel &model = grid->tableModel();
        QTRY_VERIFY(model.hasRowMarker(1));
        w.form->resize(w.form->width(), 1400); // room below the last row
        QTRY_VERIFY(grid->verticalHeader()->length() < grid->viewport()->height());
        const QImage image = grid->grab().toImage();
        const QHeaderView *header = grid->horizontalHeader();
        const int below =
            grid->viewport()->mapTo(grid, QPoint(0, grid->verticalHeader()->length())).y() + 10;
        QCOMPARE(image.pixel(header->sectionPosition(1) + 20, below), qRgb(0x80, 0x80, 0x80));
        w.form->resize(w.form->width(), Twips::toPixels(7980));

        const QHeaderView *markers = grid->verticalHeader();
        const QRect section(markers->mapTo(grid, QPoint(0, markers->sectionViewportPosition(0))),
                            QSize(markers->width(), markers->sectionSize(0)));
        QRect drawn;
        for (int y = section.top(); y <= section.bottom(); ++y) {
            for (int x = section.left(); x <= section.right(); ++x) {
                if (image.pixel(x, y) == qRgb(212, 208, 200))
                    drawn |= QRect(x, y, 1, 1);
            }
        }
        const QPoint offCentre = drawn.center() - section.center();
        QVERIFY(std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1);
        QList<QPoint> left;
        connect(grid, &MedicationGrid::leaveCell, this,
                [&] { left << QPoint(grid->row(), grid->col()); });
        grid->setCurrentCell(5, 3);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, w.centreOf(3, 4));
        grid->setCurrentCell(3, 4);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, w.centreOf(3, 4));
        QCOMPARE(left, QList({QPoint(1, 1), QPoint(5, 3)}));
        QCOMPARE(QPoint(grid->row(), grid->col()), QPoint(3, 4));
        QTRY_VERIFY(model.hasRowMarker(3));
        QVERIFY(!model.hasRowMarker(1));
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

    // Whenever a list is open the marker stands on the current row, and
    // only there.
    void markerFollowsEachCommand_data()
    {
        QTest::addColumn<Step>("command");
        QTest::addColumn<int>("row");
        const auto row = [](int button) {
            return Step([button](MainWindow &w) {
                if (button == Form1Ui::DeleteRowButton)
                    w.prompter.answers << true;
                w.press(Form1Ui::RowButton(button));
            });
        };
        QTest::newRow("Load of a list never saved")
            << Step([](MainWindow &w) { w.choose(u"Eve"_s); }) << 1;
        QTest::newRow("New") << Step([](MainWindow &w) { w.openList(u"Ann"_s); }) << 1;
        QTest::newRow("row Delete") << row(Form1Ui::DeleteRowButton) << 1;
        QTest::newRow("Down") << row(Form1Ui::DownButton) << 2;
    }
    void markerFollowsEachCommand()
    {
        QFETCH(Step, command);
        QFETCH(int, row);
        MainWindow w("Mum\r\nDad\r\nEve\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.setCell(1, 1, u"Aspirin"_s);
        w.setCell(2, 1, u"Warfarin"_s);
        const MedicationTableModel &model = w.grid()->tableModel();
        QTRY_VERIFY(model.hasRowMarker(1));
        command(w);
        QCOMPARE(w.grid()->row(), row);
        QVERIFY(w.tick());
        for (int r = 1; r <= 49; ++r)
            QVERIFY2(model.hasRowMarker(r) == (r == row), qPrintable(QString::number(r)));
    }

    // Its open edit, refill warning and row height go with the medicine.
    void medicineMovesWhole_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("name");
        QTest::newRow("Up on 2") << 2 << int(Form1Ui::UpButton) << 1 << "Med 2!";
        QTest::newRow("Down on 48") << 48 << int(Form1Ui::DownButton) << 49 << "Med 48!";
        QTest::newRow("Delete the row above") << 4 << int(Form1Ui::DeleteRowButton) << 3 << "Med 4";
    }
    void medicineMovesWhole()
    {
        QFETCH(int, row);
        QFETCH(int, button);
        QFETCH(int, target);
        QFETCH(QString, name);
        MainWindow w;
        w.openList();
        for (int r = 1; r <= 49; ++r)
            w.setCell(r, 1, u"Med %1"_s.arg(r));
        w.setCell(row, 5, Today.addDays(4).toString(Qt::ISODate));
        w.setCell(row, 6, u"a\r\nb\r\nc\r\nd"_s);
        w.form->SetColumnWidths();
        w.form->HighlightRefillDates();
        const int tall = w.grid()->rowHeight(row);
        const int plain = w.grid()->rowHeight(row == 1 ? 2 : 1);
        if (button == Form1Ui::DeleteRowButton)
            w.prompter.answers << true;
        w.type(button == Form1Ui::DeleteRowButton ? target : row, 1, u"!"_s);
        QVERIFY(w.press(Form1Ui::RowButton(button)));
        QCOMPARE(w.cell(target, 1), name);
        for (int r : {row, target}) {
            QCOMPARE(w.due(r), r == target);
            QCOMPARE(w.grid()->rowHeight(r), r == target ? tall : plain);
        }
    }

    // Lookup only reads: an open edit stays, and Save takes it.
    void lookupLeavesAnOpenEdit()
    {
        MainWindow w;
        w.openList();
        w.setCell(4, 1, u"Aspirin"_s);
        w.type(4, 2, u"5 mg"_s);
        QVERIFY(w.press(Form1Ui::LookupButton));
        QVERIFY(w.control("Text1")->isVisible());
        QCOMPARE(w.opener.opened.value(0).path(), "/cons/Aspirin_Systemic.html");
        w.press(Form1Ui::SaveButton);
        QVERIFY(w.bytes("Mum.dat").contains("\r\n5 mg\r\n"));
    }

    // From the first frame on, the columns take the page's width but for
    // its margin: Notes take what the others leave.
    void notesTakeWhatThePageLeaves_data()
    {
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<int>("columnsWidth");
        QTest::newRow("no printer") << 0 << 12000 - 480;
        QTest::newRow("A4 portrait") << 11906 << 11906 - 480;
    }
    void notesTakeWhatThePageLeaves()
    {
        QFETCH(int, pageWidth);
        MainWindow w({}, pageWidth);
        int columns = 0;
        for (int column = 0; column <= 6; ++column)
            columns += w.grid()->colWidth(column);
        QTEST(columns, "columnsWidth");
    }

    // S, L, B: Standard, Large, Bold. In every font each column is as wide
    // as its widest text in that font, and 1 to 12 lines of Notes, and a
    // line wrapped, show whole; no wider and no taller than a little air.
    void fontChoices_data()
    {
        QTest::addColumn<QString>("choices");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("bold");
        QTest::newRow("start-up: design fonts, Standard marked") << "" << 8.25 << false;
        QTest::newRow("Large") << "L" << 10.0 << false;
        QTest::newRow("Large then Standard") << "LS" << 8.0 << false;
        QTest::newRow("Bold keeps the design size") << "B" << 8.25 << true;
        QTest::newRow("Large and bold") << "LB" << 10.0 << true;
    }
    void fontChoices()
    {
        QFETCH(QString, choices);
        QFETCH(double, size);
        QFETCH(bool, bold);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        const QList<QAction *> menu{w.action("mnuFontSizeOp_0"), w.action("mnuFontSizeOp_1"),
                                    w.action("mnuBold")};
        const QStringList widest{"unsaved changes", "WWW mmm 12.5 mg", "Twice a day, with meals",
                                 "100 tablets, blister pack", "when the box is nearly empty"};
        for (int column = 1; column <= 5; ++column)
            w.setCell(30 + column, column, widest[column - 1]);
        for (int row = 1; row <= 12; ++row)
            w.setCell(row, 6, QStringList(row, u"Line"_s).join(u"\r\n"_s));
        const QString wrapped = u"Take one tablet with a full glass of water, sitting upright, "
                                "at least half an hour before breakfast and other medicines"_s;
        w.setCell(13, 6, wrapped + u" "_s + wrapped);
        w.form->HighlightRefillDates();
        w.form->SetColumnWidths();
        for (QChar choice : choices)
            menu[QStringLiteral("SLB").indexOf(choice)]->trigger();
        QCOMPARE(QList({menu[0]->isChecked(), menu[1]->isChecked(), menu[2]->isChecked()}),
                 QList({size != 10, size == 10, bold}));
        QFont expected = Form1Ui::standardFont();
        expected.setPointSizeF(size);
        expected.setBold(bold);
        for (const char *name : {"Grid1", "Text1", "Text2"})
            QCOMPARE(w.control(name)->font(), expected);
        QCOMPARE(w.measurer.font(), expected);
        QCOMPARE(w.control("Text3")->font(), Form1Ui::standardFont());
        QCOMPARE(w.button(Form1Ui::NewButton)->font(), Form1Ui::standardFont());

        // An unreadable refill date is shown in italics.
        QFont italic = expected;
        italic.setItalic(true);
        const QHeaderView *columns = w.grid()->horizontalHeader();
        for (int column = 1; column <= 5; ++column) {
            const QFontMetrics metrics(column == 5 ? italic : expected);
            const int text = metrics.horizontalAdvance(widest[column - 1]);
            const int shown = columns->sectionSize(column - 1);
            QVERIFY2(shown > text && shown <= text + 16, qPrintable(widest[column - 1]));
        }
        const QFontMetricsF metrics(expected);
        const QHeaderView *rows = w.grid()->verticalHeader();
        for (int row = 2; row <= 12; ++row) {
            const int text = int(std::ceil(row * metrics.lineSpacing()));
            QVERIFY2(rows->sectionSize(row - 1) >= text && rows->sectionSize(row - 1) <= text + 16,
                     qPrintable(QString::number(row)));
        }
        const int notesWidth = columns->sectionSize(5);
        const double wrappedLines = std::ceil(metrics.horizontalAdvance(wrapped) * 2 / notesWidth);
        QVERIFY(rows->sectionSize(12) >= wrappedLines * metrics.lineSpacing());
    }
};

QTEST_MAIN(TestMedicationGrid)
#include "tst_medicationgrid.moc"
