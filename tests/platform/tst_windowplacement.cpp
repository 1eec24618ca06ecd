#include "WindowPlacement.h"

#include <QTest>

// Two screens side by side, the taskbar taking the bottom 40 pixels of each.
const QList<QRect> Screens{{0, 0, 1280, 984}, {1280, 0, 1920, 1040}};
constexpr int TitleBar = 30;

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    void reachableFrame_data()
    {
        QTest::addColumn<QRect>("wanted");
        QTest::addColumn<QRect>("placed");
        const QRect usual(96, 48, 720, 480);
        QTest::newRow("on the first screen") << usual << usual;
        QTest::newRow("on the second screen")
            << QRect(2000, 500, 720, 480) << QRect(2000, 500, 720, 480);
        QTest::newRow("across both screens")
            << QRect(1000, 100, 720, 480) << QRect(1000, 100, 720, 480);
        QTest::newRow("mostly off the right, a grip left")
            << QRect(3160, 100, 720, 480) << QRect(3160, 100, 720, 480);
        QTest::newRow("off the right but a sliver")
            << QRect(3190, 100, 720, 480) << QRect(2480, 100, 720, 480);
        QTest::newRow("title bar above the screens")
            << QRect(96, -20, 720, 480) << QRect(96, 0, 720, 480);
        QTest::newRow("title bar under the taskbar")
            << QRect(96, 970, 720, 480) << QRect(96, 504, 720, 480);
        QTest::newRow("far off, as -1E+09 twips")
            << QRect(-(1 << 24), -(1 << 24), 720, 480) << QRect(0, 0, 720, 480);
        QTest::newRow("larger than the nearest screen")
            << QRect(-5000, 100, 2000, 1200) << QRect(0, 0, 1280, 984);
        QTest::newRow("larger than both screens")
            << QRect(0, 0, 66666667, 66666667) << QRect(0, 0, 3200, 1040);
    }
    void reachableFrame()
    {
        QFETCH(QRect, wanted);
        QFETCH(QRect, placed);
        QCOMPARE(WindowPlacement::reachableFrame(wanted, TitleBar, Screens), placed);
    }

    void pixelsFromStoredTwips_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("a window's left") << 1440.0 << 96;
        QTest::newRow("-1E+09") << -1e9 << -(1 << 24);
        QTest::newRow("largest float") << 3.4028235e38 << (1 << 24);
        QTest::newRow("not a number") << std::nan("") << 0;
    }
    void pixelsFromStoredTwips()
    {
        QFETCH(double, twips);
        QFETCH(int, pixels);
        QCOMPARE(WindowPlacement::pixelsFromStoredTwips(twips), pixels);
    }
};

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
