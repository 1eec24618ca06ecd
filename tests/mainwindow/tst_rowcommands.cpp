#include "ListWindowFixture.h"

namespace {

QString nameOf(int row)
{
    return row == 1 ? "Aspirin" : row > 49 ? QString() : QStringLiteral("Med %1").arg(row);
}

// Every row's texts say which row they started in.
void fillRows(ListWindow &w)
{
    for (int row = 1; row <= 49; ++row) {
        w.form->list().setCell(row, 1, nameOf(row));
        w.form->list().setCell(row, 2, QStringLiteral("d %1").arg(row));
        w.form->list().setCell(row, 6, QStringLiteral("n %1\r\nx").arg(row));
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
        ListWindow w;
        QVERIFY(w.showActive());
        fillRows(w);
        w.form->list().setCell(row, 5, QStringLiteral("2026-12-02"));
        w.form->HighlightRefillDates();
        w.type(row, 2, QStringLiteral("!")); // committed first, so it moves along
        w.form->onRowButton(button);

        QCOMPARE(w.cell(target, 1), nameOf(row));
        QCOMPARE(w.cell(target, 2), QStringLiteral("d %1!").arg(row));
        QCOMPARE(w.cell(target, 6), QStringLiteral("n %1\r\nx").arg(row));
        QCOMPARE(w.cell(row, 1), nameOf(target));
        QCOMPARE(QPoint(w.form->Grid1->row(), w.form->Grid1->col()), QPoint(target, 2));
        QVERIFY(w.changed());
        QVERIFY(w.form->Grid1->hasFocus());
        // Only texts move; the highlighting stays until it is next recomputed.
        QVERIFY(w.due(row));
        QCOMPARE(w.due(target), target == row);
    }

    void deleteRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("answer");
        QTest::newRow("Yes on row 1") << 1 << 1;
        QTest::newRow("Yes on row 48") << 48 << 1;
        QTest::newRow("Yes on row 49") << 49 << 1;
        QTest::newRow("No") << 1 << 0;
        QTest::newRow("row without Name: no question") << 3 << -1;
    }
    void deleteRow()
    {
        QFETCH(int, row);
        QFETCH(int, answer);
        ListWindow w;
        fillRows(w);
        if (answer < 0)
            w.form->list().setCell(row, 1, QString());
        else
            w.prompter.answer(answer == 1);
        w.form->Grid1->setCurrentCell(row, 3);
        w.form->onRowButton(Form1::DeleteRowButton);

        const QString question = "ask Pillora: Delete " + nameOf(row) + "?";
        QCOMPARE(w.prompter.log, answer < 0 ? QStringList() : QStringList{question});
        // The rows below move up; the grid ends in an empty row.
        for (int r = 1; r <= 49; ++r) {
            const int from = r < row || answer != 1 ? r : r + 1;
            QCOMPARE(w.cell(r, 2), from > 49 ? QString() : QStringLiteral("d %1").arg(from));
        }
        QCOMPARE(w.cell(48, 1), nameOf(row <= 48 && answer == 1 ? 49 : 48));
        QCOMPARE(w.form->Grid1->row(), row);
        QCOMPARE(w.changed(), answer == 1);
    }

    // The Name is one path segment of the address, whatever it holds.
    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        // clang-format off
        QTest::newRow("Aspirin")       << "Aspirin"   << "/cons/Aspirin_Systemic.html";
        QTest::newRow("space")         << "Vitamin D" << "/cons/Vitamin%20D_Systemic.html";
        QTest::newRow("slash")         << "a/b"       << "/cons/a%2Fb_Systemic.html";
        QTest::newRow("question mark") << "a?b"       << "/cons/a%3Fb_Systemic.html";
        QTest::newRow("hash")          << "a#b"       << "/cons/a%23b_Systemic.html";
        QTest::newRow("no Name")       << ""          << "";
        // clang-format on
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        ListWindow w;
        w.form->list().setCell(4, 1, name);
        w.type(4, 2, QStringLiteral("5 mg")); // Lookup only reads: the edit stays open
        w.form->onRowButton(Form1::LookupButton);

        QVERIFY(w.form->EditingCell());
        QVERIFY(!w.changed());
        const QString guard = "inform Message: Please highlight a medicine above first.";
        QCOMPARE(w.prompter.log, name.isEmpty() ? QStringList{guard} : QStringList());
        QCOMPARE(w.opener.opened.size(), name.isEmpty() ? 0 : 1);
        const QUrl address = w.opener.opened.value(0);
        QCOMPARE(address.path(QUrl::FullyEncoded), path);
        QVERIFY(name.isEmpty() ||
                (address.scheme().startsWith(u"http") && !address.host().isEmpty()));
        QVERIFY(!address.hasQuery() && !address.hasFragment());
    }
};

QTEST_MAIN(TestRowCommands)
#include "tst_rowcommands.moc"
