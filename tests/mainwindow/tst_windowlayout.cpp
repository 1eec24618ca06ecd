#include "MainWindowFixture.h"
#include "Twips.h"
#include "WindowLayout.h"

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    // Strip width, grid height, label top and notes top for a client area;
    // -1 where the assignment would be negative, so the value stays as it was.
    void layoutForClientArea_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("initial client area")
            << QSize(11550, 7980) << QList{11310, 4965, 6150, 6405};
        QTest::newRow("grid height exactly 0") << QSize(3000, 3015) << QList{2760, 0, 1185, 1440};
        QTest::newRow("too low for the grid") << QSize(3000, 2000) << QList{2760, -1, 170, 425};
        QTest::newRow("too low for the notes") << QSize(3000, 1500) << QList{2760, -1, -1, -1};
        QTest::newRow("minimized") << QSize(0, 0) << QList{-1, -1, -1, -1};
    }
    void layoutForClientArea()
    {
        QFETCH(QSize, area);
        QFETCH(QList<int>, expected);
        const MainWindowPlacement designed{{9, 120, 9735, 375},
                                           {9, 600, 9735, 375},
                                           {9, 1080, 9735, 4335},
                                           {9, 5520, 2175, 255},
                                           {9, 5760, 5055, 1455}};
        const MainWindowPlacement p = ::layoutForClientArea(area.width(), area.height(), designed);
        const auto orKept = [&](int i, int kept) { return expected[i] < 0 ? kept : expected[i]; };
        QCOMPARE(p.picture1, (TwipsRect{120, 120, orKept(0, 9735), 375}));
        QCOMPARE(p.picture2, (TwipsRect{120, 615, orKept(0, 9735), 375}));
        QCOMPARE(p.grid1, (TwipsRect{120, 1080, orKept(0, 9735), orKept(1, 4335)}));
        QCOMPARE(p.label3, (TwipsRect{120, orKept(2, 5520), 2175, 255}));
        QCOMPARE(p.text2, (TwipsRect{120, orKept(3, 5760), 5055, 1455}));
    }

    // 1500 x 1200 twips: wide enough for the strips, too low for the rest.
    void realWindowFollowsItsClientArea()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.form->resize(100, 80);
        QTRY_COMPARE(w.grid()->width() * Twips::PerPixel, 1260);
        QCOMPARE(w.grid()->height() * Twips::PerPixel, 4965);
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
};

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
