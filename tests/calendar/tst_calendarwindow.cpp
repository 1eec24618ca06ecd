#include "CalendarFixture.h"
#include "Twips.h"

#include <QLineEdit>

class TestCalendarWindow : public QObject
{
    Q_OBJECT

private slots:
    // The calendar on a fixed day, after the years chosen from the list.
    void shownYear_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<QString>("yearText");
        QTest::addColumn<QStringList>("blue");
        QTest::addColumn<QStringList>("cells");
        QTest::newRow("today outside the year list")
            << QDate(2026, 12, 1) << QList<int>() << "2026"
            << QStringList{"12 frame #0000ff", "12:1,2 [1] #0000ff #ffffff bold"} << QStringList();
        QTest::newRow("today in a listed year")
            << QDate(2011, 3, 15) << QList<int>() << "2011"
            << QStringList{"3 frame #0000ff", "3:3,2 [15] #0000ff #ffffff bold"} << QStringList();
        QTest::newRow("today 29 February")
            << QDate(2012, 2, 29) << QList<int>() << "2012"
            << QStringList{"2 frame #0000ff", "2:5,3 [29] #0000ff #ffffff bold"} << QStringList();
        // Cleared cells turn light grey and keep their text colour and weight.
        QTest::newRow("from the current year to 2011")
            << QDate(2026, 12, 1) << QList{2011} << "2011" << QStringList()
            << QStringList{"1:1,6 [1] #ffffff #0000ff", "1:1,4 [] #e0e0e0 #0000ff",
                           "12:1,2 [] #e0e0e0 #ffffff bold"};
        QTest::newRow("back to the current year")
            << QDate(2015, 6, 10) << QList{2011, 2015} << "2015"
            << QStringList{"6 frame #0000ff", "6:2,3 [10] #0000ff #ffffff bold"}
            << QStringList{"1:1,4 [1] #ffffff #0000ff", "1:6,1 [] #e0e0e0 #0000ff"};
    }
    void shownYear()
    {
        QFETCH(QDate, today);
        QFETCH(QList<int>, chosen);
        QFETCH(QString, yearText);
        QFETCH(QStringList, blue);
        QFETCH(QStringList, cells);
        const Calendar calendar(today);
        for (int year : chosen)
            calendar.choose(year);
        QCOMPARE(calendar.yearBox()->currentText(), yearText);
        QCOMPARE(calendar.blue(), blue);
        const QStringList picture = calendar.picture();
        for (const QString &cell : cells)
            QVERIFY2(picture.contains(cell), qPrintable(cell));
    }

    void choosingAYearAgainChangesNothing()
    {
        const Calendar calendar(QDate(2026, 12, 1));
        calendar.choose(2011);
        const QStringList once = calendar.picture();
        calendar.choose(2011);
        QCOMPARE(calendar.picture(), once);
    }

    // Typed text never fills the calendar, Enter included.
    void typingAYearChangesNothing()
    {
        const Calendar calendar(QDate(2026, 12, 1));
        const QStringList before = calendar.picture();
        QLineEdit *text = calendar.yearBox()->lineEdit();
        text->selectAll();
        QTest::keyClicks(text, "2015");
        QTest::keyClick(text, Qt::Key_Return);
        QCOMPARE(calendar.yearBox()->currentText(), "2015");
        QCOMPARE(calendar.picture(), before);
    }

    void openingAgainBringsTheSameWindowForward()
    {
        Calendar calendar(QDate(2026, 12, 1));
        const QPoint offCentre =
            calendar.window->geometry().center() - calendar.owner.geometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);
        QCOMPARE(calendar.window->size(), QSize(Twips::toPixels(9270), Twips::toPixels(8415)));
        calendar.choose(2011);
        calendar.window->move(calendar.window->pos() + QPoint(40, 30));
        const QPoint moved = calendar.window->pos();
        const QStringList picture = calendar.picture();

        QCOMPARE(Form3::open(calendar.owner, calendar.clock), calendar.window.data());
        QCOMPARE(calendar.owner.findChildren<Form3 *>().size(), 1);
        QCOMPARE(calendar.window->pos(), moved);
        QCOMPARE(calendar.yearBox()->currentText(), "2011");
        QCOMPARE(calendar.picture(), picture);
        QVERIFY(QTest::qWaitForWindowActive(calendar.window));
    }

    void closingDestroysTheWindow()
    {
        Calendar calendar(QDate(2026, 12, 1));
        calendar.choose(2011);
        QPointer<Form3> first = calendar.window;
        first->close();
        // Opened again before the closed one is gone, a new one still comes.
        calendar.window = Form3::open(calendar.owner, calendar.clock);
        QVERIFY(calendar.window != first);
        QTRY_VERIFY(first.isNull());
        QCOMPARE(calendar.yearBox()->currentText(), "2026");
    }
};

QTEST_MAIN(TestCalendarWindow)
#include "tst_calendarwindow.moc"
