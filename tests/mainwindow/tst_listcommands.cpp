#include "ListWindowFixture.h"

namespace {

const QString SaveQuestion = QStringLiteral("ask Pillora: Save current medications list?");

QByteArray lineOf(const QByteArray &file, int number)
{
    QByteArray line = file == "<missing>" ? file : file.split('\n').value(number - 1);
    line.chop(line.endsWith('\r') ? 1 : 0);
    return line;
}

} // namespace

class TestListCommands : public QObject
{
    Q_OBJECT

private slots:
    // New (once it has a name), Load and closing first commit an open edit,
    // then ask about unsaved changes. A new or never-saved list opens empty.
    void offerToSave_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("answer");
        for (const char *command : {"new", "load", "close"}) {
            QTest::addRow("%s, Yes", command) << command << "edit" << 1;
            QTest::addRow("%s, No", command) << command << "edit" << 0;
        }
        // clang-format off
        QTest::newRow("close, no list open") << "close" << "no list" << -1;
        QTest::newRow("close, no changes")   << "close" << ""        << -1;
        // clang-format on
    }
    void offerToSave()
    {
        QFETCH(QString, command);
        QFETCH(QString, before);
        QFETCH(int, answer);
        ListWindow w({"Mum", "Dad"});
        if (before != u"no list")
            w.choose(QStringLiteral("Mum"));
        w.form->list().setChangesMade(before == u"no list");
        if (before == u"edit")
            w.type(4, 3, QStringLiteral("Aspirin"));
        if (command == u"new")
            w.prompter.answer(QStringLiteral("Eve"));
        if (answer >= 0)
            w.prompter.answer(answer == 1);
        if (command == u"new")
            w.form->Command1[Form1::NewButton]->click();
        else if (command == u"load")
            w.choose(QStringLiteral("Dad"));
        else
            QVERIFY(w.form->close());

        QStringList questions;
        if (command == u"new")
            questions << "input Create a New Medications List: Enter name for this new medications "
                         "list. (e.g. John Smith)";
        if (answer >= 0)
            questions << SaveQuestion;
        QCOMPARE(w.prompter.log, questions);
        QCOMPARE(lineOf(w.bytes("Mum.dat"), 41), answer == 1 ? "Aspirin" : "<missing>");
        QCOMPARE(w.changed(), before != u"" && answer != 1);
        if (command == u"close")
            return;
        QCOMPARE(w.name(), command == u"new" ? "Eve" : "Dad");
        QCOMPARE(w.form->cboLoad->currentText(), w.name());
        QCOMPARE(w.cell(4, 3), "");
        QCOMPARE(QPoint(w.form->Grid1->row(), w.form->Grid1->col()), QPoint(1, 1));
        if (command == u"load")
            return;
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\nDad\r\nEve\r\n");
        QCOMPARE(w.form->listNames(), QStringList({"Mum", "Dad", "Eve"}));
        QVERIFY(!w.dataFiles().contains(u"Eve.dat"));
        if (answer == 0)
            w.prompter.answer(false);
        w.choose(QStringLiteral("Mum")); // the user's next choice loads again
        QCOMPARE(w.name(), "Mum");
    }

    // Two lists must never share a file, and every name must make a file on
    // Windows and Linux alike.
    void newCancelledOrRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("Cancel") << "";
        QTest::newRow("spaces only") << "   ";
        for (QChar c : QStringLiteral("\\/:*?\"<>|\t\x7f"))
            QTest::addRow("holding U+%04X", c.unicode()) << QStringLiteral("a%1b").arg(c);
        QTest::newRow("trailing space") << "Dad ";
        QTest::newRow("trailing dot") << "Dad.";
        QTest::newRow("same name in another case") << "mUM";
        QTest::newRow("outside windows-1252") << "Ωmega";
    }
    void newCancelledOrRefused()
    {
        QFETCH(QString, name);
        ListWindow w({"Mum"});
        w.choose(QStringLiteral("Mum"));
        w.form->list().setCell(1, 1, QStringLiteral("Aspirin"));
        w.form->list().setChangesMade(true);
        w.prompter.answer(name);
        w.form->Command1[Form1::NewButton]->click();

        // No question about saving; a message for a refused name only.
        QCOMPARE(w.prompter.log.size(), name.isEmpty() ? 1 : 2);
        QVERIFY(w.prompter.log.last().startsWith(name.isEmpty() ? u"input" : u"warn Pillora: "));
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\n");
        QCOMPARE(w.dataFiles(), QStringList{"MedLists.dat"});
        QCOMPARE(w.form->listNames(), QStringList{"Mum"});
        QCOMPARE(w.name(), "Mum");
        QCOMPARE(w.cell(1, 1), "Aspirin");
        QVERIFY(w.changed());
    }

    // The list was saved in a smaller window elsewhere on the screen.
    void loadRestoresWindowGeometry()
    {
        ListWindow w({"Dad"});
        w.write(QStringLiteral("Dad.dat"), listFileBytes());
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        w.choose(QStringLiteral("Dad"));

        QCOMPARE(w.form->frameGeometry(), QRect(1500 / 15, 900 / 15, 9000 / 15, 6000 / 15));
        QVERIFY(w.form->commands().SaveList());
        QCOMPARE(w.bytes("Dad.dat").left(31), " 1500 \r\n 900 \r\n 9000 \r\n 6000 \r\n");
    }

    // The selector still shows a name then, though no list is open, and Save
    // must not write a file named ".dat".
    void catalogueVanished()
    {
        ListWindow w({"Mum"});
        QVERIFY(QFile::remove(w.path(QStringLiteral("MedLists.dat"))));
        w.choose(QStringLiteral("Mum"));
        QCOMPARE(w.prompter.log, QStringList{"inform Pillora: No Med Lists found."});
        QCOMPARE(w.form->cboLoad->currentText(), "Mum");
        QCOMPARE(w.name(), "");
        w.form->updateStatus();
        w.form->Command1[Form1::SaveButton]->click();
        QCOMPARE(w.prompter.log.size(), 1);
        QCOMPARE(w.dataFiles(), QStringList());
    }

    // Shown as far as it could be read, never with what was shown before.
    void incompleteListFileShownWithMessage()
    {
        ListWindow w({"Mum"});
        const QByteArray whole = listFileBytes({{16, "5 mg"}});
        w.write("Mum.dat", whole.left(whole.indexOf("Instructions")));
        w.form->list().setCell(3, 3, QStringLiteral("earlier"));
        w.choose("Mum");
        QCOMPARE(w.prompter.log.size(), 1);
        QVERIFY(w.prompter.log[0].startsWith(u"warn Pillora: The list \"Mum\""));
        QCOMPARE(w.cell(0, 2), "5 mg");
        QCOMPARE(w.cell(3, 3), "");
    }

    void failedSaveKeepsChangesAndAsksBeforeClosing_data()
    {
        QTest::addColumn<bool>("closeAnyway");
        QTest::newRow("close anyway") << true;
        QTest::newRow("stay open") << false;
    }
    void failedSaveKeepsChangesAndAsksBeforeClosing()
    {
        QFETCH(bool, closeAnyway);
        ListWindow w({"Mum"});
        w.form->show();
        w.choose(QStringLiteral("Mum"));
        w.form->list().setChangesMade(true);
        // Stops a save for any user, root included, unlike a read-only folder.
        QVERIFY(QDir().mkdir(w.path("Mum.dat")));

        QVERIFY(!w.form->commands().SaveList());
        QVERIFY(w.changed());
        w.prompter.answer(true);
        w.prompter.answer(closeAnyway);
        QCOMPARE(w.form->close(), closeAnyway);
        QCOMPARE(w.form->isVisible(), !closeAnyway);
        const QStringList &log = w.prompter.log;
        QCOMPARE(log.size(), 4);
        QVERIFY(log[0].startsWith(u"warn Pillora: The list \"Mum\" could not be saved.\n\n"));
        QCOMPARE(log[1], SaveQuestion);
        QCOMPARE(log[2], log[0]);
        QVERIFY(log[3].startsWith(u"ask Pillora: "));
    }

    void deleteList_data()
    {
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << true << true;
        QTest::newRow("No") << true << false;
        QTest::newRow("never saved") << false << true;
    }
    void deleteList()
    {
        QFETCH(bool, saved);
        QFETCH(bool, yes);
        ListWindow w({"A", "B", "C"});
        for (const QString &name : QStringList{"A", "B", "C"}) {
            if (name != u"B" || saved)
                w.write(name + ".dat", listFileBytes({{21, "Ibuprofen"}}));
        }
        w.choose(QStringLiteral("B"));
        w.form->list().setChangesMade(true);
        w.prompter.answer(yes);
        w.form->commands().DeleteList();

        QCOMPARE(w.prompter.log, QStringList{"ask Pillora: Delete B med file?"});
        const QStringList names = yes ? QStringList{"A", "C"} : QStringList{"A", "B", "C"};
        QCOMPARE(w.bytes("MedLists.dat"), names.join("\r\n").toLatin1() + "\r\n");
        QCOMPARE(w.form->listNames(), names);
        QCOMPARE(w.dataFiles().size(), saved && !yes ? 4 : 3);
        QCOMPARE(w.dataFiles().contains("B.dat"), saved && !yes);
        QCOMPARE(w.form->cboLoad->currentText(), yes ? "" : "B");
        QCOMPARE(w.name(), yes ? "" : "B");
        QCOMPARE(w.cell(1, 1), yes || !saved ? "" : "Ibuprofen");
        QVERIFY(w.changed()); // the deleted list's changes are dropped unasked
    }
};

QTEST_MAIN(TestListCommands)
#include "tst_listcommands.moc"
