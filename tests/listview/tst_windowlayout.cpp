#include "WindowLayout.h"

#include <QTest>

// As the window is designed, each control a little off to the left so that
// setting the margin shows.
// clang-format off
const MainWindowPlacement Designed{{9, 120, 9735, 375}, {9, 600, 9735, 375},
                                   {9, 1080, 9735, 4335}, {9, 5520, 2175, 255},
                                   {9, 5760, 5055, 1455}};
// clang-format on

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    // For a client area: the width of both strips and the grid, the grid's
    // height, and the tops of the notes label and box. A value that would be
    // negative is not assigned, so the designed one stays.
    void layoutForClientArea_data()
    {
        QTest::addColumn<QSize>("area");
        QTest::addColumn<QList<int>>("expected");
        // clang-format off
        // 11550 - 240; 7980 - 1455 - 1560; 7980 - 1455 - 120 - 255; 7980 - 1455 - 120
        QTest::newRow("initial")                 << QSize(11550, 7980) << QList{11310, 4965, 6150, 6405};
        QTest::newRow("maximized")               << QSize(1920 * 15, 1050 * 15)
                                                 << QList{28560, 12735, 13920, 14175};
        QTest::newRow("widths exactly 0")        << QSize(240, 7980)   << QList{0, 4965, 6150, 6405};
        QTest::newRow("narrower than margins")   << QSize(239, 7980)   << QList{9735, 4965, 6150, 6405};
        QTest::newRow("grid height exactly 0")   << QSize(3000, 3015)  << QList{2760, 0, 1185, 1440};
        QTest::newRow("too low for the grid")    << QSize(3000, 3014)  << QList{2760, 4335, 1184, 1439};
        QTest::newRow("label exactly at the top") << QSize(3000, 1830) << QList{2760, 4335, 0, 255};
        QTest::newRow("box but not its label")   << QSize(3000, 1829)  << QList{2760, 4335, 5520, 254};
        QTest::newRow("too low for notes")       << QSize(3000, 1574)  << QList{2760, 4335, 5520, 5760};
        QTest::newRow("minimized")               << QSize(0, 0)        << QList{9735, 4335, 5520, 5760};
        // clang-format on
    }
    void layoutForClientArea()
    {
        QFETCH(QSize, area);
        QFETCH(QList<int>, expected);
        const int width = expected[0];
        const MainWindowPlacement p = ::layoutForClientArea(area.width(), area.height(), Designed);
        QCOMPARE(p.picture1, (TwipsRect{120, 120, width, 375}));
        QCOMPARE(p.picture2, (TwipsRect{120, 615, width, 375}));
        QCOMPARE(p.grid1, (TwipsRect{120, 1080, width, expected[1]}));
        QCOMPARE(p.label3, (TwipsRect{120, expected[2], 2175, 255}));
        QCOMPARE(p.text2, (TwipsRect{120, expected[3], 5055, 1455}));
    }

    // The second strip goes below the first wherever that is, and the notes
    // section follows the box's own height.
    void followsTheControlsAsTheyAre()
    {
        MainWindowPlacement current = Designed;
        current.picture1 = {120, 240, 9735, 500};
        current.text2.height = 2000;
        const MainWindowPlacement p = ::layoutForClientArea(11550, 7980, current);
        QCOMPARE(p.picture2.top, 240 + 500 + 120);
        QCOMPARE(p.text2.top, 7980 - 2000 - 120);
        QCOMPARE(p.label3.top, 7980 - 2000 - 120 - 255);
        QCOMPARE(p.grid1.height, 7980 - 2000 - 1560);
    }

    // At the smallest size the controls lie one below the other without
    // touching, and each strip is as wide as what it holds.
    void minimumClientArea_data()
    {
        QTest::addColumn<int>("stripContent");
        QTest::addColumn<int>("gridHeight");
        QTest::addColumn<QSize>("area");
        // clang-format off
        // 9120 + 240; 900 + 1560 + 1455
        QTest::newRow("strips decide the width") << 9120 << 900 << QSize(9360, 3915);
        // 5055 + 240; 0 + 1560 + 1455
        QTest::newRow("the notes box decides")   << 3855 << 0   << QSize(5295, 3015);
        // clang-format on
    }
    void minimumClientArea()
    {
        QFETCH(int, stripContent);
        QFETCH(int, gridHeight);
        QFETCH(QSize, area);
        QCOMPARE(::minimumClientArea(stripContent, gridHeight, Designed), area);
        const MainWindowPlacement p = ::layoutForClientArea(area.width(), area.height(), Designed);
        QCOMPARE(p.picture1.width, std::max(stripContent, 5055));
        QCOMPARE(p.grid1.height, gridHeight);
        QVERIFY(p.picture2.top + p.picture2.height <= p.grid1.top);
        QVERIFY(p.grid1.top + p.grid1.height <= p.label3.top);
        QVERIFY(p.label3.top + p.label3.height <= p.text2.top);
        QCOMPARE(p.text2.top + p.text2.height + 120, area.height());
    }
};

QTEST_GUILESS_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
