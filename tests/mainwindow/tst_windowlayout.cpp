#include "MedicationGrid.h"
#include "TestServices.h"
#include "Twips.h"
#include "WindowLayout.h"

namespace {

TwipsRect twipsOf(const QWidget *widget)
{
    const QRect g = widget->geometry();
    return {g.x() * Twips::PerPixel, g.y() * Twips::PerPixel, g.width() * Twips::PerPixel,
            g.height() * Twips::PerPixel};
}

} // namespace

class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    // -1: the assignment would be negative, so the value stays as it was.
    void layoutForClientArea_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("stripWidth");
        QTest::addColumn<int>("gridHeight");
        QTest::addColumn<int>("labelTop");
        QTest::addColumn<int>("notesTop");
        QTest::newRow("initial client area") << 11550 << 7980 << 11310 << 4965 << 6150 << 6405;
        QTest::newRow("maximized") << 28800 << 16200 << 28560 << 13185 << 14370 << 14625;
        QTest::newRow("grid height exactly 0") << 3000 << 3015 << 2760 << 0 << 1185 << 1440;
        QTest::newRow("too low for the grid") << 3000 << 2000 << 2760 << -1 << 170 << 425;
        QTest::newRow("too low for the notes") << 3000 << 1500 << 2760 << -1 << -1 << -1;
        QTest::newRow("minimized") << 0 << 0 << -1 << -1 << -1 << -1;
    }
    void layoutForClientArea()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, stripWidth);
        QFETCH(int, gridHeight);
        QFETCH(int, labelTop);
        QFETCH(int, notesTop);
        // As the window design places them, but for lefts the layout must set.
        const MainWindowPlacement designed{{9, 120, 9735, 375},
                                           {9, 600, 9735, 375},
                                           {9, 1080, 9735, 4335},
                                           {9, 5520, 2175, 255},
                                           {9, 5760, 5055, 1455}};
        const MainWindowPlacement p = ::layoutForClientArea(width, height, designed);
        const auto orKept = [](int expected, int kept) { return expected < 0 ? kept : expected; };

        const int strips = orKept(stripWidth, 9735);
        QCOMPARE(p.picture1, (TwipsRect{120, 120, strips, 375}));
        QCOMPARE(p.picture2, (TwipsRect{120, 615, strips, 375}));
        QCOMPARE(p.grid1, (TwipsRect{120, 1080, strips, orKept(gridHeight, 4335)}));
        QCOMPARE(p.label3, (TwipsRect{120, orKept(labelTop, 5520), 2175, 255}));
        QCOMPARE(p.text2, (TwipsRect{120, orKept(notesTop, 5760), 5055, 1455}));
    }

    void realWindowFollowsItsClientArea()
    {
        TestWindow window;
        QVERIFY(window.show());
        QCOMPARE(window->size() * Twips::PerPixel, QSize(11550, 7980));
        QCOMPARE(twipsOf(window.control("Picture1")), (TwipsRect{120, 120, 11310, 375}));
        QCOMPARE(twipsOf(window.control("Picture2")), (TwipsRect{120, 615, 11310, 375}));
        QCOMPARE(twipsOf(window.control("Grid1")), (TwipsRect{120, 1080, 11310, 4965}));
        QCOMPARE(twipsOf(window.control("Label3")), (TwipsRect{120, 6150, 2175, 255}));
        QCOMPARE(twipsOf(window.control("Text2")), (TwipsRect{120, 6405, 5055, 1455}));

        // 1500 x 1200 twips: wide enough for the strips, too low for the rest.
        window->resize(100, 80);
        QTRY_COMPARE(window->height(), 80);
        QCOMPARE(twipsOf(window.control("Picture1")), (TwipsRect{120, 120, 1260, 375}));
        QCOMPARE(twipsOf(window.control("Grid1")), (TwipsRect{120, 1080, 1260, 4965}));
        QCOMPARE(twipsOf(window.control("Label3")).top, 6150);
        QCOMPARE(twipsOf(window.control("Text2")).top, 6405);
    }
};

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
