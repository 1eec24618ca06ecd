#include "MainWindowFixture.h"
#include "Twips.h"
#include "WindowLayout.h"

#include <QHeaderView>

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    // Strip width, grid height, label top and notes top; a control keeps
    // its own where the value would be negative.
    void layoutForClientArea_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("initial") << QSize(11550, 7980) << QList{11310, 4965, 6150, 6405};
        QTest::newRow("grid height exactly 0") << QSize(3000, 3015) << QList{2760, 0, 1185, 1440};
        QTest::newRow("too low for the grid") << QSize(3000, 2000) << QList{2760, 4335, 170, 425};
        QTest::newRow("too low for the notes")
            << QSize(3000, 1500) << QList{2760, 4335, 5520, 5760};
        QTest::newRow("minimized") << QSize(0, 0) << QList{9735, 4335, 5520, 5760};
    }
    void layoutForClientArea()
    {
        QFETCH(QSize, area);
        QFETCH(QList<int>, expected);
        const MainWindowPlacement p = ::layoutForClientArea(area.width(), area.height(),
                                                            {{9, 120, 9735, 375},
                                                             {9, 600, 9735, 375},
                                                             {9, 1080, 9735, 4335},
                                                             {9, 5520, 2175, 255},
                                                             {9, 5760, 5055, 1455}});
        QCOMPARE(QList({p.picture2.width, p.grid1.height, p.label3.top, p.text2.top}), expected);
        QCOMPARE(p.grid1, (TwipsRect{120, 1080, expected[0], expected[1]}));
        QCOMPARE(p.picture2.top, 615);
    }

    void realWindowFollowsItsClientArea()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.form->resize(100, 80); // wide enough for the strips, too low for the rest
        QTRY_COMPARE(w.grid()->size() * Twips::PerPixel, QSize(1260, 4965));
    }

    void notesTakeWhatThePageLeaves_data()
    {
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<QString>("name");
        QTest::newRow("no printer") << 0 << "";
        QTest::newRow("A4 portrait") << 11906 << "Aspirin";
        QTest::newRow("Letter landscape") << 15840 << "Hydrochlorothiazide 12.5 mg tablets";
        QTest::newRow("wider than the page") << 12000 << QString(400, u'W');
    }
    void notesTakeWhatThePageLeaves()
    {
        QFETCH(int, pageWidth);
        QFETCH(QString, name);
        MainWindow w({}, pageWidth);
        const MedicationGrid *grid = w.grid();
        const auto leftOnThePage = [&] {
            int taken = 480; // the page's margin
            for (int column = 0; column <= 5; ++column)
                taken += grid->colWidth(column);
            return std::max(600, (pageWidth == 0 ? 12000 : pageWidth) - taken);
        };
        QCOMPARE(grid->colWidth(6), leftOnThePage()); // from the first frame on
        w.setCell(3, 1, name);
        w.form->SetColumnWidths();
        QCOMPARE(grid->colWidth(6), leftOnThePage());
    }

    // S, L and B stand for the menu choices Standard, Large and Bold. In
    // every font, every line of Notes shows, 1 to 12 lines (rows 1 to 12)
    // and with a first line that wraps (rows 13 to 24), and the widest entry
    // of each other column, a refill date in italics and a header included.
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
        // What the grid's delegate asks for, the grid line included.
        const QAbstractItemView &delegateSizes = *w.grid();
        const QHeaderView *rows = w.grid()->verticalHeader();
        const QHeaderView *columns = w.grid()->horizontalHeader();
        for (int row = 0; row < 24; ++row)
            QVERIFY2(rows->sectionSize(row) >= delegateSizes.sizeHintForRow(row),
                     qPrintable(lines[row % 12]));
        for (int column = 0; column < 5; ++column)
            QVERIFY2(columns->sectionSize(column) >=
                         std::max(delegateSizes.sizeHintForColumn(column),
                                  columns->sectionSizeHint(column)),
                     qPrintable(widest[column]));
    }
};

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
