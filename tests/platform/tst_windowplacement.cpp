#include "WindowPlacement.h"

#include <QTest>

// Two screens side by side, the taskbar taking the bottom 40 pixels of each.
const QList<QRect> Screens{{0, 0, 1280, 984}, {1280, 0, 1920, 1040}};

class TestWindowPlacement : public QObject
{
    Q_OBJECT

private slots:
    // The title bar, 30 high, stays where the mouse can take hold of it.
    void reachableFrame_data()
    {
        QTest::addColumn<QRect>("wanted");
        QTest::addColumn<QRect>("placed");
        // clang-format off
        QTest::newRow("off the right but a sliver")  << QRect(3190, 100, 720, 480) << QRect(2480, 100, 720, 480);
        QTest::newRow("title bar under the taskbar") << QRect(96, 970, 720, 480)   << QRect(96, 504, 720, 480);
        QTest::newRow("far off, as -1E+09 twips")    << QRect(-(1 << 24), -(1 << 24), 720, 480) << QRect(0, 0, 720, 480);
        QTest::newRow("larger than the nearest screen") << QRect(-5000, 100, 2000, 1200) << QRect(0, 0, 1280, 984);
        QTest::newRow("larger than both screens")    << QRect(0, 0, 66666667, 66666667) << QRect(0, 0, 3200, 1040);
        // clang-format on
    }
    void reachableFrame()
    {
        QFETCH(QRect, wanted);
        QFETCH(QRect, placed);
        QCOMPARE(WindowPlacement::reachableFrame(wanted, 30, Screens), placed);
    }

    void pixelsFromStoredTwips()
    {
        QCOMPARE(WindowPlacement::pixelsFromStoredTwips(-1e9), -(1 << 24));
        QCOMPARE(WindowPlacement::pixelsFromStoredTwips(3.4028235e38), 1 << 24);
        QCOMPARE(WindowPlacement::pixelsFromStoredTwips(std::nan("")), 0);
    }
};

QTEST_GUILESS_MAIN(TestWindowPlacement)
#include "tst_windowplacement.moc"
