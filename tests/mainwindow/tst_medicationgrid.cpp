#include "MainWindowFixture.h"
#include "RefillDate.h"

#include <QSignalBlocker>

namespace {

std::pair<QColor, QColor> shownColors(const Form1 &form, int row, int column)
{
    const QModelIndex index = form.Grid1->tableModel().indexOfCell(row, column);
    const QVariant text = index.data(Qt::ForegroundRole);
    return {index.data(Qt::BackgroundRole).value<QBrush>().color(),
            text.isValid() ? text.value<QBrush>().color()
                           : form.Grid1->palette().color(QPalette::Text)};
}

} // namespace

class TestMedicationGrid : public QObject
{
    Q_OBJECT

private slots:
    // The window commits an open edit on leave-cell, into the cell still current.
    void leaveCellComesFirst_data()
    {
        QTest::addColumn<QString>("move");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("program sets the cell") << "set" << QPoint(5, 3) << true;
        QTest::newRow("Down key") << "Down" << QPoint(2, 1) << true;
        QTest::newRow("mouse click") << "click" << QPoint(3, 4) << true;
        QTest::newRow("same cell") << "set" << QPoint(1, 1) << false;
        QTest::newRow("Up key in the first row") << "Up" << QPoint(1, 1) << false;
        QTest::newRow("header row never current") << "set" << QPoint(0, 2) << false;
    }
    void leaveCellComesFirst()
    {
        QFETCH(QString, move);
        QFETCH(QPoint, to);
        QFETCH(bool, leaves);
        MainWindow w;
        QVERIFY(w.show());
        MedicationGrid *grid = w.form->Grid1;
        QList<QPoint> currentWhenLeaving;
        connect(grid, &MedicationGrid::leaveCell, this, [&] { currentWhenLeaving << w.current(); });

        if (move == u"set") {
            grid->setCurrentCell(to.x(), to.y());
        } else if (move == u"click") {
            const QModelIndex cell = grid->tableModel().indexOfCell(to.x(), to.y());
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(cell).center());
        } else {
            QTest::keyClick(grid, move == u"Down" ? Qt::Key_Down : Qt::Key_Up);
        }
        QCOMPARE(currentWhenLeaving, leaves ? QList<QPoint>{QPoint(1, 1)} : QList<QPoint>{});
        QCOMPARE(w.current(), leaves ? to : QPoint(1, 1));
    }

    // Row 0 of the list is the header; a lone CR breaks a line as CR LF does.
    void headerRowAndLineBreaks()
    {
        MainWindow w;
        w.setCell(0, 6, QStringLiteral("Notes\r\n\r\nhere"));
        w.setCell(4, 6, QStringLiteral("Morning\r\nNoon\rEvening"));
        const MedicationGrid *grid = w.form->Grid1;
        QCOMPARE(grid->model()->headerData(5, Qt::Horizontal).toString(), "Notes\n\nhere");
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), "Name");
        QCOMPARE(grid->tableModel().indexOfCell(4, 6).data().toString(), "Morning\nNoon\nEvening");
    }

    // The status timer enables the list buttons when a list is chosen and the
    // row buttons when the current row has a Name.
    void statusTimer_data()
    {
        QTest::addColumn<int>("chosen"); // in Mum, "", Dad
        QTest::addColumn<int>("nameRow");
        QTest::addColumn<int>("currentRow");
        QTest::newRow("nothing chosen, no name") << -1 << 0 << 1;
        QTest::newRow("list chosen, name in the row") << 0 << 1 << 1;
        QTest::newRow("name in another row") << 2 << 3 << 4;
        QTest::newRow("empty catalogue name chosen") << 1 << 1 << 1;
    }
    void statusTimer()
    {
        QFETCH(int, chosen);
        QFETCH(int, nameRow);
        QFETCH(int, currentRow);
        const bool listButtons = chosen == 0 || chosen == 2;
        const bool rowButtons = nameRow == currentRow;
        MainWindow w({"Mum", "", "Dad"});
        QSignalBlocker quiet(w.form->cboLoad); // the name shown counts, not a loaded list
        w.form->cboLoad->setCurrentIndex(chosen);
        quiet.unblock();
        if (nameRow > 0)
            w.setCell(nameRow, 1, QStringLiteral("Aspirin"));
        // The other texts of the row do not count.
        w.setCell(currentRow, 2, QStringLiteral("5 mg"));
        w.setCell(currentRow, 6, QStringLiteral("With food"));
        w.form->Grid1->setCurrentCell(currentRow, 3);
        for (QPushButton *button : w.form->Command1)
            button->setEnabled(!listButtons);
        for (QPushButton *button : w.form->Command2)
            button->setEnabled(!rowButtons);

        QTRY_COMPARE(w.form->Command1[Form1::SaveButton]->isEnabled(), listButtons);
        for (int index : {Form1::DeleteButton, Form1::PrintButton})
            QCOMPARE(w.form->Command1[index]->isEnabled(), listButtons);
        QCOMPARE(w.form->Command1[Form1::NewButton]->isEnabled(), !listButtons);
        for (QPushButton *button : w.form->Command2)
            QCOMPARE(button->isEnabled(), rowButtons);
    }

    void markerFollowsCurrentRow()
    {
        MainWindow w;
        QVERIFY(w.show());
        QTRY_COMPARE(w.form->LastMarkedRow(), 1);
        w.form->Grid1->setRow(3);
        QTRY_COMPARE(w.form->LastMarkedRow(), 3);
    }

    // Each date is shown highlighted once, then as changed, in the first and last row.
    void highlightRefillDates_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("due");
        const auto day = [](int offset) { return Today.addDays(offset).toString(Qt::ISODate); };
        QTest::newRow("today") << day(0) << day(0) << true;
        QTest::newRow("7 days ahead") << day(7) << day(7) << true;
        QTest::newRow("8 days ahead") << day(8) << day(8) << false;
        QTest::newRow("not a date") << "ask the pharmacist"
                                    << "ask the pharmacist" << false;
        QTest::newRow("due date cleared") << day(0) << "" << false;
        QTest::newRow("date brought forward") << day(30) << day(3) << true;
    }
    void highlightRefillDates()
    {
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(bool, due);
        MainWindow w;
        Form1 &form = *w.form;
        form.Grid1->setCurrentCell(2, 3);
        for (const QString &refill : {before, text}) {
            w.setCell(1, 5, refill);
            w.setCell(49, 5, refill);
            form.HighlightRefillDates();
        }

        const QColor plain = form.palette().color(QPalette::Base);
        const auto expected = due ? std::pair(QColor(128, 0, 0), QColor(Qt::white))
                                  : std::pair(plain, QColor(Qt::black));
        for (int row : {1, 49}) {
            QCOMPARE(shownColors(form, row, 5), expected);
            QCOMPARE(shownColors(form, row, 4).first, plain);
            QCOMPARE(shownColors(form, row, 6).first, plain);
        }
        QCOMPARE(shownColors(form, 2, 5).first, plain);
        QCOMPARE(w.current(), QPoint(2, 3));
    }

    // As a person types a date under the desktop's locale, on 15 June 2026.
    void readRefillDate_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");
        const QDate dec13(2026, 12, 13);
        for (const char *name : {"en_US", "de_DE"}) {
            const QLocale locale(QString::fromLatin1(name));
            for (auto format : {QLocale::ShortFormat, QLocale::LongFormat})
                QTest::addRow("%s %s format", name,
                              format == QLocale::ShortFormat ? "short" : "long")
                    << locale.name() << locale.toString(dec13, format) << dec13;
        }
        const auto row = [](const char *name, const char *locale, const QString &text, QDate date) {
            QTest::newRow(name) << QString::fromLatin1(locale) << text << date;
        };
        row("two-digit year", "en_US", "12/13/49", QDate(2049, 12, 13));
        row("no year", "de_DE", "13.12.", dec13);
        row("day first in en_US", "en_US", "13/12/2026", QDate());
        row("day before the month name", "en_US", "13 DEC 2026", dec13);
        row("umlaut", "de_DE", QStringLiteral("3. März 26"), QDate(2026, 3, 3));
        row("a name and words", "en_US", "Dec 13 maybe", QDate());
    }
    void readRefillDate()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        const std::optional<QDate> date =
            RefillDate::read(text, QLocale(locale), QDate(2026, 6, 15));
        QCOMPARE(date.value_or(QDate()), expected);
    }
};

QTEST_MAIN(TestMedicationGrid)
#include "tst_medicationgrid.moc"
