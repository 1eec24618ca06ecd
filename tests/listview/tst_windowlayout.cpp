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
        QTest::newRow("initial")               << QSize(11550, 7980) << QList{11310, 4965, 6150, 6405};
        QTest::newRow("widths exactly 0")      << QSize(240, 7980)   << QList{0, 4965, 6150, 6405};
        QTest::newRow("narrower than margins") << QSize(239, 7980)   << QList{9735, 4965, 6150, 6405};
        QTest::newRow("grid height exactly 0") << QSize(3000, 3015)  << QList{2760, 0, 1185, 1440};
        QTest::newRow("box but not its label") << QSize(3000, 1829)  << QList{2760, 4335, 5520, 254};
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
};

QTEST_GUILESS_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
