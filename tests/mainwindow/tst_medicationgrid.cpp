#include "MainWindowFixture.h"

#include <QHeaderView>

enum class Move
{
    Program,
    KeyDown,
    KeyUp,
    Click
};

class TestMedicationGrid : public QObject
{
    Q_OBJECT

private slots:
    // The window commits an open edit on leave-cell, into the cell still current.
    void leaveCellComesFirst_data()
    {
        QTest::addColumn<Move>("move");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("program sets the cell") << Move::Program << QPoint(5, 3) << true;
        QTest::newRow("Down key") << Move::KeyDown << QPoint(2, 1) << true;
        QTest::newRow("mouse click") << Move::Click << QPoint(3, 4) << true;
        QTest::newRow("same cell") << Move::Program << QPoint(1, 1) << false;
        QTest::newRow("Up key in the first row") << Move::KeyUp << QPoint(1, 1) << false;
    }
    void leaveCellComesFirst()
    {
        QFETCH(Move, move);
        QFETCH(QPoint, to);
        QFETCH(bool, leaves);
        MainWindow w;
        QVERIFY(w.show());
        MedicationGrid *grid = w.grid();
        QList<QPoint> currentWhenLeaving;
        connect(grid, &MedicationGrid::leaveCell, this, [&] { currentWhenLeaving << w.current(); });
        if (move == Move::Program)
            grid->setCurrentCell(to.x(), to.y());
        else if (move == Move::Click)
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, w.centreOf(to.x(), to.y()));
        else
            QTest::keyClick(grid, move == Move::KeyDown ? Qt::Key_Down : Qt::Key_Up);
        QCOMPARE(currentWhenLeaving, leaves ? QList<QPoint>{QPoint(1, 1)} : QList<QPoint>{});
        QCOMPARE(w.current(), to);
    }

    // Delete, Save and Print need a chosen list; the row buttons an open
    // list and a Name in the current row, whatever else the row holds.
    void statusTimer_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("currentRow");
        QTest::addColumn<bool>("listButtons");
        QTest::addColumn<bool>("rowButtons");
        QTest::newRow("nothing chosen") << -1 << 1 << false << false;
        QTest::newRow("list chosen, Name in the row") << 0 << 1 << true << true;
        QTest::newRow("Name in another row") << 2 << 4 << true << false;
        QTest::newRow("empty catalogue entry chosen") << 1 << 1 << false << false;
    }
    void statusTimer()
    {
        QFETCH(int, entry);
        QFETCH(int, currentRow);
        QFETCH(bool, listButtons);
        QFETCH(bool, rowButtons);
        MainWindow w("Mum\r\n\r\nDad\r\n");
        w.chooseIndex(entry);
        w.setCell(1, 1, QStringLiteral("Aspirin"));
        w.setCell(4, 2, QStringLiteral("5 mg"));
        w.grid()->setCurrentCell(currentRow, 3);
        const QList<QPushButton *> buttons{
            w.button(Form1Ui::DeleteButton), w.button(Form1Ui::SaveButton),
            w.button(Form1Ui::PrintButton),  w.button(Form1Ui::UpButton),
            w.button(Form1Ui::DownButton),   w.button(Form1Ui::DeleteRowButton),
            w.button(Form1Ui::LookupButton)};
        QList<bool> expected{listButtons, listButtons, listButtons};
        expected << rowButtons << rowButtons << rowButtons << rowButtons;
        for (qsizetype i = 0; i < buttons.size(); ++i)
            buttons[i]->setEnabled(!expected[i]);
        const auto enabled = [&] {
            QList<bool> states;
            for (const QPushButton *button : buttons)
                states << button->isEnabled();
            return states;
        };
        QTRY_COMPARE(enabled(), expected);
    }

    // Due within 8 days is dark red, and a date no longer due loses it, in
    // the first and the last row alike.
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
        for (const QString &refill : {before, text}) {
            w.setCell(1, 5, refill);
            w.setCell(49, 5, refill);
            w.form->HighlightRefillDates();
        }
        QCOMPARE(w.due(1), due);
        QCOMPARE(w.due(49), due);
    }

    // A refill date the program cannot read must not pass for one that is
    // not due: in italics, with a tooltip giving today in the forms it reads.
    void unreadableRefillDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        const auto row = [](const char *locale, const QString &text, bool readable) {
            QTest::addRow("%s %s", locale, qPrintable(text)) << locale << text << readable;
        };
        for (const char *locale : {"en_US", "de_DE"}) {
            const bool us = QByteArray(locale) == "en_US";
            row(locale, "2026-12-13", true);
            row(locale, "12/13/2026", us);
            row(locale, "13.12.2026", !us);
            row(locale, "2026-13-12", false);
            row(locale, "soon", false);
        }
        row("en_US", "12/13/49", true);
        row("en_US", "13 DEC 2026", true);
        row("en_US", "Dec 13 maybe", false);
        row("de_DE", "13.12.", true);
        row("de_DE", QStringLiteral("3. März 26"), true);
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
        QCOMPARE(tip.contains(Today.toString(Qt::ISODate)) &&
                     tip.contains(QLocale(locale).toString(Today, QLocale::ShortFormat)),
                 !readable);
    }

    // Outside the cells the grid is grey, beside the header row too; the
    // row marker stands centred in its cell and follows the current row.
    void greyOutsideTheCellsAndMarkerCentred()
    {
        MainWindow w({}, 8000); // narrow columns leave room right of them
        QVERIFY(w.show());
        MedicationGrid *grid = w.grid();
        const MedicationTableModel &model = grid->tableModel();
        QTRY_VERIFY(model.hasRowMarker(1));
        const QImage image = grid->grab().toImage();
        const QHeaderView *header = grid->horizontalHeader();
        const int right = grid->viewport()->mapTo(grid, QPoint(header->length(), 0)).x() + 10;
        QCOMPARE(image.pixel(right, header->height() / 2), qRgb(0x80, 0x80, 0x80));

        const QHeaderView *markers = grid->verticalHeader();
        const QRect section(markers->mapTo(grid, QPoint(0, markers->sectionViewportPosition(0))),
                            QSize(markers->width(), markers->sectionSize(0)));
        QRect drawn;
        for (int y = section.top(); y <= section.bottom(); ++y) {
            for (int x = section.left(); x <= section.right(); ++x) {
                if (image.pixel(x, y) == qRgb(212, 208, 200))
                    drawn |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY(drawn.isValid());
        QVERIFY(std::abs((drawn.left() - section.left()) - (section.right() - drawn.right())) <= 1);
        QVERIFY(std::abs((drawn.top() - section.top()) - (section.bottom() - drawn.bottom())) <= 1);

        grid->setRow(3);
        QTRY_VERIFY(model.hasRowMarker(3));
        QVERIFY(!model.hasRowMarker(1));
    }
};

QTEST_MAIN(TestMedicationGrid)
#include "tst_medicationgrid.moc"
