#include "MainWindowFixture.h"

namespace {

QString nameOf(int row)
{
    return row == 1 ? "Aspirin" : row > 49 ? QString() : QStringLiteral("Med %1").arg(row);
}

// Every row's texts say which row they started in.
void fillRows(MainWindow &w)
{
    for (int row = 1; row <= 49; ++row) {
        w.setCell(row, 1, nameOf(row));
        w.setCell(row, 2, QStringLiteral("d %1").arg(row));
        w.setCell(row, 6, QStringLiteral("n %1\r\nx").arg(row));
    }
}

} // namespace

class TestRowCommands : public QObject
{
    Q_OBJECT

private slots:
    void moves_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("target");
        QTest::newRow("Up on 1 does nothing") << 1 << int(Form1Ui::UpButton) << 1;
        QTest::newRow("Up on 2") << 2 << int(Form1Ui::UpButton) << 1;
        QTest::newRow("Down on 48") << 48 << int(Form1Ui::DownButton) << 49;
        QTest::newRow("Down on 49 does nothing") << 49 << int(Form1Ui::DownButton) << 49;
    }
    void moves()
    {
        QFETCH(int, row);
        QFETCH(int, button);
        QFETCH(int, target);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        fillRows(w);
        w.type(row, 2, QStringLiteral("!")); // committed first, so it moves along
        w.press(Form1Ui::RowButton(button));

        QCOMPARE(w.cell(target, 1), nameOf(row));
        QCOMPARE(w.cell(target, 2), QStringLiteral("d %1!").arg(row));
        QCOMPARE(w.cell(target, 6), QStringLiteral("n %1\r\nx").arg(row));
        QCOMPARE(w.cell(row, 1), nameOf(target));
        QCOMPARE(w.current(), QPoint(target, 2));
        QVERIFY(w.changed());
        QVERIFY(w.grid()->hasFocus());
    }

    // The refill warning and the row's height go with the medicine, not
    // stay on its old row: the medicine due in 4 days has a four-line note.
    void warningAndHeightFollowTheMedicine_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("target");
        QTest::newRow("Up on 2") << 2 << int(Form1Ui::UpButton) << 1;
        QTest::newRow("Down on 48") << 48 << int(Form1Ui::DownButton) << 49;
        QTest::newRow("Up on 1 does nothing") << 1 << int(Form1Ui::UpButton) << 1;
        QTest::newRow("Delete the row above") << 4 << int(Form1Ui::DeleteRowButton) << 3;
    }
    void warningAndHeightFollowTheMedicine()
    {
        QFETCH(int, row);
        QFETCH(int, button);
        QFETCH(int, target);
        MainWindow w;
        w.openList();
        fillRows(w);
        w.setCell(row, 5, Today.addDays(4).toString(Qt::ISODate));
        w.setCell(row, 6, QStringLiteral("a\r\nb\r\nc\r\nd"));
        w.form->SetColumnWidths();
        w.form->HighlightRefillDates();
        const int tall = w.grid()->rowHeight(row);
        const int plain = w.grid()->rowHeight(row == 1 ? 2 : 1);
        QVERIFY(tall > plain);
        if (button == Form1Ui::DeleteRowButton)
            w.prompter.answers << true;
        w.grid()->setCurrentCell(button == Form1Ui::DeleteRowButton ? target : row, 1);
        w.press(Form1Ui::RowButton(button));

        for (int r : {row, target}) {
            QCOMPARE(w.due(r), r == target);
            QCOMPARE(w.grid()->rowHeight(r), r == target ? tall : plain);
        }
    }

    void deleteRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes on row 1") << 1 << 1;
        QTest::newRow("Yes on row 49") << 49 << 1;
        QTest::newRow("No") << 1 << 0;
        QTest::newRow("row without Name: no question") << 3 << -1;
    }
    void deleteRow()
    {
        QFETCH(int, row);
        QFETCH(int, answer);
        MainWindow w;
        w.openList();
        fillRows(w);
        if (answer < 0)
            w.setCell(row, 1, QString());
        else
            w.prompter.answers << (answer == 1);
        w.grid()->setCurrentCell(row, 3);
        w.press(Form1Ui::DeleteRowButton);

        const QString question = "ask Pillora: Delete " + nameOf(row) + "?";
        QCOMPARE(w.prompter.log, answer < 0 ? QStringList() : QStringList{question});
        // The rows below move up; the grid ends in an empty row.
        for (int r = 1; r <= 49; ++r) {
            const int from = r < row || answer != 1 ? r : r + 1;
            QCOMPARE(w.cell(r, 2), from > 49 ? QString() : QStringLiteral("d %1").arg(from));
        }
        QCOMPARE(w.current(), QPoint(row, 3));
        QCOMPARE(w.changed(), answer == 1);
    }

    // The Name goes into the address as one path segment, so no character
    // of it can change the address; Lookup only reads, an open edit stays.
    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("space") << "Vitamin D" << "/cons/Vitamin%20D_Systemic.html";
        QTest::newRow("URL syntax") << "a/b?c#d" << "/cons/a%2Fb%3Fc%23d_Systemic.html";
        QTest::newRow("no Name: a message") << QString() << QString();
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        MainWindow w;
        w.openList();
        w.setCell(4, 1, name);
        w.type(4, 2, QStringLiteral("5 mg"));
        if (!w.press(Form1Ui::LookupButton)) // disabled without a Name
            w.rowCommands.lookUp(4);

        QVERIFY(w.editing());
        QVERIFY(!w.changed());
        QCOMPARE(w.opener.opened.value(0).path(QUrl::FullyEncoded), path);
        QCOMPARE(w.prompter.log.isEmpty(), !name.isEmpty());
    }
};

QTEST_MAIN(TestRowCommands)
#include "tst_rowcommands.moc"
