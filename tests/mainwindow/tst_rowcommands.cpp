#include "MainWindowFixture.h"

class TestRowCommands : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("Down on 49 does nothing") << 49 << int(Form1Ui::DownButton) << 49 << "d 49!";
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
        QVERIFY(tall > plain);
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
        QVERIFY(w.changed());
    }

    // The Name goes into the address as one path segment, so no character
    // of it can change the address; Lookup only reads, an open edit stays.
    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("space") << "Vitamin D"
                               << "/cons/Vitamin%20D_Systemic.html" << QStringList();
        QTest::newRow("URL syntax") << "a/b?c#d"
                                    << "/cons/a%2Fb%3Fc%23d_Systemic.html" << QStringList();
        QTest::newRow("no Name") << QString() << QString()
                                 << QStringList{
                                        "inform Message: Please highlight a medicine above first."};
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QFETCH(QStringList, messages);
        MainWindow w;
        w.openList();
        w.setCell(4, 1, name);
        w.type(4, 2, QStringLiteral("5 mg"));
        if (!w.press(Form1Ui::LookupButton)) // disabled without a Name
            w.rowCommands.lookUp(4);
        QVERIFY(w.editing());
        QCOMPARE(w.opener.opened.value(0).path(QUrl::FullyEncoded), path);
        QCOMPARE(w.prompter.log, messages);
    }
};

QTEST_MAIN(TestRowCommands)
#include "tst_rowcommands.moc"
