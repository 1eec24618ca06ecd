#include "MainWindowFixture.h"
#include "Twips.h"
#include "WindowLayout.h"

#include <QHeaderView>
#include <QStyledItemDelegate>

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    // Strip width, grid height, label top and notes top for a client area;
    // where the value would be negative the control keeps its own.
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
        QCOMPARE(p.picture1, (TwipsRect{120, 120, expected[0], 375}));
        QCOMPARE(p.picture2, (TwipsRect{120, 615, expected[0], 375}));
        QCOMPARE(p.grid1, (TwipsRect{120, 1080, expected[0], expected[1]}));
        QCOMPARE(p.label3, (TwipsRect{120, expected[2], 2175, 255}));
        QCOMPARE(p.text2, (TwipsRect{120, expected[3], 5055, 1455}));
    }

    // 1500 x 1200 twips: wide enough for the strips, too low for the rest.
    void realWindowFollowsItsClientArea()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.form->resize(100, 80);
        QTRY_COMPARE(w.grid()->size() * Twips::PerPixel, QSize(1260, 4965));
    }

    // The Notes column takes what the page leaves, never less than 600
    // twips, from the first frame on and after every fit.
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
        QCOMPARE(grid->colWidth(6), leftOnThePage());
        w.setCell(3, 1, name);
        w.form->SetColumnWidths();
        QCOMPARE(grid->colWidth(6), leftOnThePage());
    }

    // S, L and B stand for the menu choices Standard, Large and Bold.
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
        const QList<QAction *> menu{w.action("mnuFontSizeOp_0"), w.action("mnuFontSizeOp_1"),
                                    w.action("mnuBold")};
        for (QChar choice : choices)
            menu[QStringLiteral("SLB").indexOf(choice)]->trigger();
        QCOMPARE(menu[0]->isChecked(), size != 10);
        QCOMPARE(menu[1]->isChecked(), size == 10);
        QCOMPARE(menu[2]->isChecked(), bold);
        QFont expected = Form1Ui::standardFont();
        expected.setPointSizeF(size);
        expected.setBold(bold);
        for (const char *name : {"Grid1", "Text1", "Text2"})
            QCOMPARE(w.control(name)->font(), expected);
        QCOMPARE(w.measurer.font(), expected);
        QCOMPARE(w.control("Text3")->font(), Form1Ui::standardFont());
        QCOMPARE(w.button(Form1Ui::NewButton)->font(), Form1Ui::standardFont());
    }

    // In every font: every line of Notes shows, 1 to 12 lines (rows 1 to 12)
    // and with a first line that wraps (rows 13 to 24), as the grid's
    // delegate paints them; the widest entry of each other column shows
    // whole, the header and a refill date shown in italics included.
    void cellsShowWhole_data()
    {
        QTest::addColumn<QString>("choices");
        QTest::newRow("Standard") << "";
        QTest::newRow("Standard, bold") << "B";
        QTest::newRow("Large") << "L";
        QTest::newRow("Large, bold") << "LB";
    }
    void cellsShowWhole()
    {
        QFETCH(QString, choices);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        for (QChar choice : choices)
            w.action(choice == u'L' ? "mnuFontSizeOp_1" : "mnuBold")->trigger();
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
        // What the delegate asks for to paint a cell whole within the given
        // rectangle; an invalid one asks for the natural width.
        const auto needs = [&](int row, int column, const QRect &rect) {
            QStyleOptionViewItem option;
            option.initFrom(grid.viewport());
            option.font = grid.font();
            option.fontMetrics = QFontMetrics(grid.font());
            option.features |= QStyleOptionViewItem::WrapText;
            option.rect = rect;
            return grid.itemDelegate()->sizeHint(option,
                                                 grid.tableModel().indexOfCell(row, column));
        };
        const auto painted = [&](int row, int column) {
            return grid.visualRect(grid.tableModel().indexOfCell(row, column));
        };
        for (int row = 1; row <= 24; ++row)
            QVERIFY2(painted(row, 6).height() >= needs(row, 6, painted(row, 6)).height(),
                     qPrintable(QStringLiteral("row %1").arg(row)));
        for (int column = 1; column <= 5; ++column)
            QVERIFY2(painted(30 + column, column).width() >= needs(30 + column, column, {}).width(),
                     qPrintable(widest[column - 1]));
        QVERIFY(grid.horizontalHeader()->sectionSize(3) >=
                grid.horizontalHeader()->sectionSizeHint(3));
    }
};

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
