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
        QTest::newRow("Up on 1 does nothing") << 1 << int(Form1::UpButton) << 1;
        QTest::newRow("Up on 2") << 2 << int(Form1::UpButton) << 1;
        QTest::newRow("Down on 48") << 48 << int(Form1::DownButton) << 49;
        QTest::newRow("Down on 49 does nothing") << 49 << int(Form1::DownButton) << 49;
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
        w.form->Command2[button]->click();

        QCOMPARE(w.cell(target, 1), nameOf(row));
        QCOMPARE(w.cell(target, 2), QStringLiteral("d %1!").arg(row));
        QCOMPARE(w.cell(target, 6), QStringLiteral("n %1\r\nx").arg(row));
        QCOMPARE(w.cell(row, 1), nameOf(target));
        QCOMPARE(w.current(), QPoint(target, 2));
        QVERIFY(w.changed());
        QVERIFY(w.form->Grid1->hasFocus());
    }

    // The refill warning and the row's height go with the medicine, not
    // stay on its old row: the medicine due in 4 days has a four-line note.
    void warningAndHeightFollowTheMedicine_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("target");
        QTest::newRow("Up on 2") << 2 << int(Form1::UpButton) << 1;
        QTest::newRow("Down on 48") << 48 << int(Form1::DownButton) << 49;
        QTest::newRow("Up on 1 does nothing") << 1 << int(Form1::UpButton) << 1;
        QTest::newRow("Delete the row above") << 4 << int(Form1::DeleteRowButton) << 3;
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
        const int tall = w.form->Grid1->rowHeight(row);
        const int plain = w.form->Grid1->rowHeight(row == 1 ? 2 : 1);
        QVERIFY(tall > plain);
        if (button == Form1::DeleteRowButton)
            w.prompter.answers << true;
        w.form->Grid1->setCurrentCell(button == Form1::DeleteRowButton ? target : row, 1);
        w.form->onRowButton(button);

        for (int r : {row, target}) {
            QCOMPARE(w.due(r), r == target);
            QCOMPARE(w.form->Grid1->rowHeight(r), r == target ? tall : plain);
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
        w.form->Grid1->setCurrentCell(row, 3);
        w.form->onRowButton(Form1::DeleteRowButton);

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

    // The Name is one path segment of the address, whatever it holds.
    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        const QString site = QStringLiteral("https://www.drugs.com/cons/");
        QTest::newRow("Aspirin") << "Aspirin" << site + "Aspirin_Systemic.html";
        QTest::newRow("space") << "Vitamin D" << site + "Vitamin%20D_Systemic.html";
        QTest::newRow("URL syntax") << "a/b?c#d" << site + "a%2Fb%3Fc%23d_Systemic.html";
        QTest::newRow("no Name") << QString() << QString();
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(QString, address);
        MainWindow w;
        w.openList();
        w.setCell(4, 1, name);
        w.type(4, 2, QStringLiteral("5 mg")); // Lookup only reads: the edit stays open
        w.form->onRowButton(Form1::LookupButton);

        QVERIFY(w.form->EditingCell());
        QVERIFY(!w.changed());
        const QString guard = "inform Message: Please highlight a medicine above first.";
        QCOMPARE(w.prompter.log, name.isEmpty() ? QStringList{guard} : QStringList());
        QCOMPARE(w.opener.opened.size(), name.isEmpty() ? 0 : 1);
        QCOMPARE(w.opener.opened.value(0).toString(QUrl::FullyEncoded), address);
    }
};

QTEST_MAIN(TestRowCommands)
#include "tst_rowcommands.moc"
