#include "CalendarFixture.h"
#include "Twips.h"

#include <QLineEdit>

class TestCalendarWindow : public QObject
{
    Q_OBJECT

private slots:
    void todaysMark_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<CalendarCell>("mark");
        QTest::newRow("a year outside the list") << QDate(2026, 12, 1) << CalendarCell{12, 1, 2};
        QTest::newRow("a listed year") << QDate(2011, 3, 15) << CalendarCell{3, 3, 2};
        QTest::newRow("29 February") << QDate(2012, 2, 29) << CalendarCell{2, 5, 3};
    }
    void todaysMark()
    {
        QFETCH(QDate, today);
        QFETCH(CalendarCell, mark);
        const Calendar calendar(today);
        QCOMPARE(calendar.yearBox()->currentText(), QString::number(today.year()));
        QCOMPARE(calendar.marked(), QList<CalendarCell>{mark});
        QCOMPARE(calendar.grid(mark[0])->textMatrix(mark[1], mark[2]),
                 QString::number(today.day()));
        QCOMPARE(calendar.framedInBlue(), QList<int>{today.month()});
        QCOMPARE(calendar.wronglyColoured(), QStringList());
    }

    // Years chosen one after another from the list, and where the 1st of
    // January then stands.
    void choosingYears_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<CalendarCell>("firstOfJanuary");
        QTest::addColumn<QList<CalendarCell>>("marks");
        QTest::addColumn<QList<int>>("framed");
        QTest::newRow("from the current year to 2011")
            << QDate(2026, 12, 1) << QList{2011} << CalendarCell{1, 1, 6} << QList<CalendarCell>()
            << QList<int>();
        QTest::newRow("2011 twice")
            << QDate(2026, 12, 1) << QList{2011, 2011} << CalendarCell{1, 1, 6}
            << QList<CalendarCell>() << QList<int>();
        QTest::newRow("back to the current year")
            << QDate(2015, 6, 10) << QList{2011, 2015} << CalendarCell{1, 1, 4}
            << QList<CalendarCell>{{6, 2, 3}} << QList{6};
    }
    void choosingYears()
    {
        QFETCH(QDate, today);
        QFETCH(QList<int>, chosen);
        QFETCH(CalendarCell, firstOfJanuary);
        QFETCH(QList<CalendarCell>, marks);
        QFETCH(QList<int>, framed);
        const Calendar calendar(today);
        for (int year : chosen)
            calendar.choose(year);
        QCOMPARE(calendar.yearBox()->currentText(), QString::number(chosen.last()));
        QCOMPARE(calendar.grid(1)->textMatrix(firstOfJanuary[1], firstOfJanuary[2]), "1");
        QCOMPARE(calendar.marked(), marks);
        QCOMPARE(calendar.framedInBlue(), framed);
        QCOMPARE(calendar.wronglyColoured(), QStringList());
    }

    void choosingAYearAgainChangesNothing()
    {
        const Calendar calendar(QDate(2026, 12, 1));
        calendar.choose(2011);
        const QStringList once = calendar.picture();
        calendar.choose(2011);
        QCOMPARE(calendar.picture(), once);
    }

    // Typed text never fills the calendar, Enter included; only a choice
    // from the list does.
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
        const QPoint ownerCentre = calendar.owner.geometry().center();
        QVERIFY(qAbs(calendar.window->geometry().center().x() - ownerCentre.x()) <= 1);
        QVERIFY(qAbs(calendar.window->geometry().center().y() - ownerCentre.y()) <= 1);
        QCOMPARE(calendar.window->size(), QSize(Twips::toPixels(9270), Twips::toPixels(8415)));
        calendar.choose(2011);
        calendar.window->move(calendar.window->pos() + QPoint(40, 30));
        const QPoint moved = calendar.window->pos();

        Form3 *again = Form3::open(calendar.owner, calendar.clock);
        QCOMPARE(again, calendar.window.data());
        QCOMPARE(calendar.owner.findChildren<Form3 *>().size(), 1);
        QCOMPARE(again->pos(), moved);
        QCOMPARE(calendar.yearBox()->currentText(), "2011");
        QCOMPARE(calendar.grid(1)->textMatrix(1, 6), "1");
        QVERIFY(QTest::qWaitForWindowActive(again));
    }

    void closingDestroysTheWindow()
    {
        Calendar calendar(QDate(2026, 12, 1));
        calendar.choose(2011);
        QPointer<Form3> first = calendar.window;
        first->close();
        // Opened again before the closed one is gone, a new one still comes.
        Form3 *second = Form3::open(calendar.owner, calendar.clock);
        QVERIFY(second != first);
        QTRY_VERIFY(first.isNull());
        calendar.window = second;
        QCOMPARE(calendar.yearBox()->currentText(), "2026");
        QCOMPARE(calendar.marked(), (QList<CalendarCell>{{12, 1, 2}}));
    }

    void tabWalksTheMonthsThenTheYear()
    {
        const Calendar calendar(QDate(2026, 12, 1));
        QVERIFY(QTest::qWaitForWindowActive(calendar.window));
        QCOMPARE(QApplication::focusWidget(), calendar.grid(1));
        QStringList walked;
        for (int step = 0; step < 12; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << QApplication::focusWidget()->objectName();
        }
        QStringList expected;
        for (int month = 2; month <= 12; ++month)
            expected << QStringLiteral("Grid1_%1").arg(month);
        QCOMPARE(walked, expected << "cmbYear");
    }
};

QTEST_MAIN(TestCalendarWindow)
#include "tst_calendarwindow.moc"
