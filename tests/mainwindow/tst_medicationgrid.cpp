#include "MainWindowFixture.h"
#include "RefillDate.h"

#include <QHeaderView>


namespace {

std::pair<QColor, QColor> shownColors(const MainWindow &w, int row, int column)
{
    const QModelIndex index = w.grid()->tableModel().indexOfCell(row, column);
    const QVariant text = index.data(Qt::ForegroundRole);
    return {index.data(Qt::BackgroundRole).value<QBrush>().color(),
            text.isValid() ? text.value<QBrush>().color()
                           : w.grid()->palette().color(QPalette::Text)};
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
        MedicationGrid *grid = w.grid();
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
        const MedicationGrid *grid = w.grid();
        QCOMPARE(grid->model()->headerData(5, Qt::Horizontal).toString(), "Notes\n\nhere");
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), "Name");
        QCOMPARE(grid->tableModel().indexOfCell(4, 6).data().toString(), "Morning\nNoon\nEvening");
    }

    // The status timer enables the list buttons when a list is chosen and the
    // row buttons when a list is open and the current row has a Name.
    void statusTimer_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<int>("nameRow");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<bool>("listButtons");
        QTest::addColumn<bool>("rowButtons");
        QTest::newRow("nothing chosen, a name") << "-" << 1 << 1 << false << false;
        QTest::newRow("list chosen, name in the row") << "Mum" << 1 << 1 << true << true;
        QTest::newRow("name in another row") << "Dad" << 3 << 4 << true << false;
        QTest::newRow("empty catalogue name chosen") << "" << 1 << 1 << false << false;
    }
    void statusTimer()
    {
        QFETCH(QString, chosen);
        QFETCH(int, nameRow);
        QFETCH(int, currentRow);
        QFETCH(bool, listButtons);
        QFETCH(bool, rowButtons);
        MainWindow w({"Mum", "", "Dad"});
        if (chosen != u"-")
            w.choose(chosen);
        w.setCell(nameRow, 1, QStringLiteral("Aspirin"));
        // The other texts of the row do not count.
        w.setCell(currentRow, 2, QStringLiteral("5 mg"));
        w.setCell(currentRow, 6, QStringLiteral("With food"));
        w.grid()->setCurrentCell(currentRow, 3);
        for (auto index : {Form1Ui::SaveButton, Form1Ui::DeleteButton, Form1Ui::PrintButton,
                           Form1Ui::NewButton})
            w.button(index)->setEnabled(!listButtons);
        for (auto index : {Form1Ui::UpButton, Form1Ui::DownButton, Form1Ui::DeleteRowButton,
                           Form1Ui::LookupButton})
            w.button(index)->setEnabled(!rowButtons);

        QTRY_COMPARE(w.button(Form1Ui::SaveButton)->isEnabled(), listButtons);
        for (auto index : {Form1Ui::DeleteButton, Form1Ui::PrintButton})
            QCOMPARE(w.button(index)->isEnabled(), listButtons);
        QCOMPARE(w.button(Form1Ui::NewButton)->isEnabled(), !listButtons);
        for (auto index : {Form1Ui::UpButton, Form1Ui::DownButton, Form1Ui::DeleteRowButton,
                           Form1Ui::LookupButton})
            QCOMPARE(w.button(index)->isEnabled(), rowButtons);
    }

    void markerFollowsCurrentRow()
    {
        MainWindow w;
        QVERIFY(w.show());
        const MedicationTableModel &model = w.grid()->tableModel();
        QTRY_VERIFY(model.hasRowMarker(1));
        w.grid()->setRow(3);
        QTRY_VERIFY(model.hasRowMarker(3));
        QVERIFY(!model.hasRowMarker(1));
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
        w.grid()->setCurrentCell(2, 3);
        for (const QString &refill : {before, text}) {
            w.setCell(1, 5, refill);
            w.setCell(49, 5, refill);
            form.HighlightRefillDates();
        }

        const QColor plain = form.palette().color(QPalette::Base);
        const auto expected = due ? std::pair(QColor(128, 0, 0), QColor(Qt::white))
                                  : std::pair(plain, QColor(Qt::black));
        for (int row : {1, 49}) {
            QCOMPARE(shownColors(w, row, 5), expected);
            QCOMPARE(shownColors(w, row, 4).first, plain);
            QCOMPARE(shownColors(w, row, 6).first, plain);
        }
        QCOMPARE(shownColors(w, 2, 5).first, plain);
        QCOMPARE(w.current(), QPoint(2, 3));
    }

    // A refill date the program cannot read looks different from one that
    // is not due: in italics, with a tooltip naming the forms it reads. ISO
    // dates are read under every locale.
    void unreadableRefillDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        for (const char *locale : {"en_US", "de_DE"}) {
            const bool us = QByteArray(locale) == "en_US";
            const auto row = [locale](const char *text, bool readable) {
                QTest::addRow("%s %s", locale, text)
                    << QString::fromLatin1(locale) << QString::fromLatin1(text) << readable;
            };
            row("2026-12-13", true);
            row("12/13/2026", us);
            row("13.12.2026", !us);
            row("2026-13-12", false);
            row("soon", false);
        }
    }
    void unreadableRefillDates()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QLocale::setDefault(QLocale(locale));
        MainWindow w;
        w.setCell(3, 5, text);
        const QModelIndex cell = w.grid()->tableModel().indexOfCell(3, 5);
        const QString tip = cell.data(Qt::ToolTipRole).toString();
        const bool italic = cell.data(MedicationTableModel::UnreadableDateRole).toBool();
        QLocale::setDefault(QLocale::c());

        QCOMPARE(italic, !readable);
        QCOMPARE(tip.isEmpty(), readable);
        if (!readable) {
            QVERIFY(tip.contains(u"cannot read this date"));
            QVERIFY(tip.contains(Today.toString(Qt::ISODate)));
            QVERIFY(tip.contains(QLocale(locale).toString(Today, QLocale::ShortFormat)));
        }
        QVERIFY(!w.due(3)); // normal colours either way
    }

    // Outside the cells the grid is grey everywhere, beside the header row
    // too; the row marker stands centred in its cell.
    void greyOutsideTheCellsAndMarkerCentred()
    {
        MainWindow w({}, 8000); // narrow columns leave room right of them
        QVERIFY(w.show());
        MedicationGrid *grid = w.grid();
        QTRY_VERIFY(grid->tableModel().hasRowMarker(1));
        const QImage image = grid->grab().toImage();
        const QHeaderView *header = grid->horizontalHeader();
        const int right = grid->viewport()->mapTo(grid, QPoint(header->length(), 0)).x() + 10;
        const QRgb grey = qRgb(0x80, 0x80, 0x80);
        QCOMPARE(image.pixel(right, header->height() / 2), grey);
        QCOMPARE(image.pixel(right, header->height() + 30), grey);

        const QHeaderView *marker = grid->verticalHeader();
        const QRect section(marker->mapTo(grid, QPoint(0, marker->sectionViewportPosition(0))),
                            QSize(marker->width(), marker->sectionSize(0)));
        QRect drawn;
        for (int y = section.top(); y <= section.bottom(); ++y) {
            for (int x = section.left(); x <= section.right(); ++x) {
                if (image.pixel(x, y) == qRgb(212, 208, 200))
                    drawn |= QRect(x, y, 1, 1);
            }
        }
        QCOMPARE(drawn.size(), QSize(16, 16));
        QVERIFY(std::abs((drawn.left() - section.left()) - (section.right() - drawn.right())) <= 1);
        QVERIFY(std::abs((drawn.top() - section.top()) - (section.bottom() - drawn.bottom())) <= 1);
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
