#include "MainWindowFixture.h"

#include <QHeaderView>

using namespace Qt::StringLiterals;

class TestMedicationGrid : public QObject
{
    Q_OBJECT

private slots:
    // The window commits an open edit on leave-cell, into the cell still current.
    void leaveCellComesFirst_data()
    {
        QTest::addColumn<bool>("clicked");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("program sets the cell") << false << QPoint(5, 3) << true;
        QTest::newRow("mouse click") << true << QPoint(3, 4) << true;
        QTest::newRow("program sets the same cell") << false << QPoint(1, 1) << false;
        QTest::newRow("click on the same cell") << true << QPoint(1, 1) << false;
    }
    void leaveCellComesFirst()
    {
        QFETCH(bool, clicked);
        QFETCH(QPoint, to);
        QFETCH(bool, leaves);
        MainWindow w;
        QVERIFY(w.show());
        MedicationGrid *grid = w.grid();
        const auto current = [grid] { return QPoint(grid->row(), grid->col()); };
        QList<QPoint> currentWhenLeaving;
        connect(grid, &MedicationGrid::leaveCell, this, [&] { currentWhenLeaving << current(); });
        if (clicked)
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, w.centreOf(to.x(), to.y()));
        else
            grid->setCurrentCell(to.x(), to.y());
        QCOMPARE(currentWhenLeaving, leaves ? QList<QPoint>{QPoint(1, 1)} : QList<QPoint>{});
        QCOMPARE(current(), to);
    }

    // A date the program cannot read must not pass for one not due: in
    // italics, with a tooltip giving today in the forms it reads.
    void refillDates_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("due");
        QTest::addColumn<bool>("readable");
        const auto day = [](int offset) { return Today.addDays(offset).toString(Qt::ISODate); };
        // clang-format off
        QTest::newRow("today")                << "en_US" << day(0)  << day(0)       << true  << true;
        QTest::newRow("today, day first")     << "de_DE" << day(0)  << day(0)       << true  << true;
        QTest::newRow("7 days ahead")         << "en_US" << day(7)  << day(7)       << true  << true;
        QTest::newRow("8 days ahead")         << "en_US" << day(8)  << day(8)       << false << true;
        QTest::newRow("due date cleared")     << "en_US" << day(0)  << ""           << false << true;
        QTest::newRow("date brought forward") << "en_US" << day(30) << day(3)       << true  << true;
        QTest::newRow("month first")          << "en_US" << ""      << "12/13/2026" << false << true;
        QTest::newRow("not month first")      << "en_US" << ""      << "13.12.2026" << false << false;
        QTest::newRow("day first")            << "de_DE" << ""      << "13.12.2026" << false << true;
        QTest::newRow("not day first")        << "de_DE" << ""      << "12/13/2026" << false << false;
        QTest::newRow("no 13th month")        << "de_DE" << ""      << "2026-13-12" << false << false;
        QTest::newRow("words")                << "en_US" << ""      << "soon"       << false << false;
        // clang-format on
    }
    void refillDates()
    {
        QFETCH(QString, locale);
        QFETCH(QString, before);
        QFETCH(QString, text);
        QFETCH(bool, due);
        QFETCH(bool, readable);
        QLocale::setDefault(QLocale(locale));
        MainWindow w;
        for (const QString &refill : {before, text}) {
            w.setCell(1, 5, refill);
            w.setCell(49, 5, refill);
            w.form->HighlightRefillDates();
        }
        const QModelIndex cell = w.grid()->tableModel().indexOfCell(49, 5);
        const QString tip = cell.data(Qt::ToolTipRole).toString();
        const bool italic = cell.data(MedicationTableModel::UnreadableDateRole).toBool();
        QLocale::setDefault(QLocale::c());
        QCOMPARE(w.due(1), due);
        QCOMPARE(w.due(49), due);
        QCOMPARE(italic, !readable);
        QCOMPARE(tip.contains(Today.toString(Qt::ISODate)) &&
                     tip.contains(QLocale(locale).toString(Today, QLocale::ShortFormat)),
                 !readable);
    }

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
        const QPoint offCentre = drawn.center() - section.center();
        QVERIFY(std::abs(offCentre.x()) <= 1 && std::abs(offCentre.y()) <= 1);
        grid->setRow(3);
        QTRY_VERIFY(model.hasRowMarker(3));
        QVERIFY(!model.hasRowMarker(1));
    }

    // The medicine in "row" ends up in "target", due in 4 days and with a
    // four-line note: its texts, the edit still open in it, its refill
    // warning and its row height go with it.
    void medicineMovesWhole_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("dosage");
        QTest::newRow("Up on 2") << 2 << int(Form1Ui::UpButton) << 1 << "d 2!";
        QTest::newRow("Down on 48") << 48 << int(Form1Ui::DownButton) << 49 << "d 48!";
        QTest::newRow("Up on 1 does nothing") << 1 << int(Form1Ui::UpButton) << 1 << "d 1!";
        QTest::newRow("Delete the row above") << 4 << int(Form1Ui::DeleteRowButton) << 3 << "d 4";
    }
    void medicineMovesWhole()
    {
        QFETCH(int, row);
        QFETCH(int, button);
        QFETCH(int, target);
        QFETCH(QString, dosage);
        MainWindow w;
        w.openList();
        for (int r = 1; r <= 49; ++r) {
            w.setCell(r, 1, QStringLiteral("Med %1").arg(r));
            w.setCell(r, 2, QStringLiteral("d %1").arg(r));
        }
        w.setCell(row, 5, Today.addDays(4).toString(Qt::ISODate));
        w.setCell(row, 6, QStringLiteral("a\r\nb\r\nc\r\nd"));
        w.form->SetColumnWidths();
        w.form->HighlightRefillDates();
        const int tall = w.grid()->rowHeight(row);
        const int plain = w.grid()->rowHeight(row == 1 ? 2 : 1);
        const bool deleting = button == Form1Ui::DeleteRowButton;
        w.prompter.answers << true;
        w.type(deleting ? target : row, 2, QStringLiteral("!"));
        QVERIFY(w.press(Form1Ui::RowButton(button)));
        QCOMPARE(w.prompter.log.size(), deleting ? 1 : 0);
        QCOMPARE(w.cell(target, 1), QStringLiteral("Med %1").arg(row));
        QCOMPARE(w.cell(target, 2), dosage);
        for (int r : {row, target}) {
            QCOMPARE(w.due(r), r == target);
            QCOMPARE(w.grid()->rowHeight(r), r == target ? tall : plain);
        }
    }

    // The Name goes into the address as one path segment, so no character
    // of it can change the address; Lookup only reads, an open edit stays.
    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("message");
        QTest::newRow("space") << "Vitamin D"
                               << "/cons/Vitamin%20D_Systemic.html"
                               << "";
        QTest::newRow("URL syntax") << "a/b?c#d"
                                    << "/cons/a%2Fb%3Fc%23d_Systemic.html"
                                    << "";
        QTest::newRow("no Name") << ""
                                 << ""
                                 << "inform Message: Please highlight a medicine above first.";
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QFETCH(QString, message);
        MainWindow w;
        w.openList();
        w.setCell(4, 1, name);
        w.type(4, 2, QStringLiteral("5 mg"));
        if (!w.press(Form1Ui::LookupButton)) // disabled without a Name
            w.rowCommands.lookUp(4);
        QVERIFY(w.control("Text1")->isVisible());
        QCOMPARE(w.opener.opened.value(0).path(QUrl::FullyEncoded), path);
        QCOMPARE(w.prompter.log.join(u'\n'), message);
    }
};

QTEST_MAIN(TestMedicationGrid)
#include "tst_medicationgrid.moc"
