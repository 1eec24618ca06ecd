#include "MainWindowFixture.h"

#include <QAction>

namespace {

const QString SaveQuestion = QStringLiteral("ask Pillora: Save current medications list?");

// Written by the program under Windows: windows-1252 text, "~~" for the line
// breaks of Notes, a lone "~" typed by its user, CR LF throughout, the window
// at 1440, 720 and 10800 x 7200 twips.
QByteArray windowsFile()
{
    QFile source(QStringLiteral(PILLORA_TEST_DATA "/windows-roundtrip.dat"));
    return source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
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
        MainWindow w({"Mum", "Dad"});
        if (before != u"no list")
            w.choose(QStringLiteral("Mum"));
        w.form->list().setChangesMade(before == u"no list");
        if (before == u"edit")
            w.type(4, 3, QStringLiteral("Aspirin"));
        if (command == u"new")
            w.prompter.answers << QStringLiteral("Eve");
        if (answer >= 0)
            w.prompter.answers << (answer == 1);
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
        QCOMPARE(w.bytes("Mum.dat").contains("\r\nAspirin\r\n"), answer == 1);
        QCOMPARE(w.changed(), before != u"" && answer != 1);
        if (command == u"close")
            return;
        QCOMPARE(w.name(), command == u"new" ? "Eve" : "Dad");
        QCOMPARE(w.form->cboLoad->currentText(), w.name());
        QCOMPARE(w.cell(4, 3), "");
        QCOMPARE(w.current(), QPoint(1, 1));
        if (command == u"load")
            return;
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\nDad\r\nEve\r\n");
        QCOMPARE(w.form->listNames(), QStringList({"Mum", "Dad", "Eve"}));
        QVERIFY(!w.dataFiles().contains(u"Eve.dat"));
        if (answer == 0)
            w.prompter.answers << false;
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
        QTest::newRow("file name over 255 bytes") << QString(126, u'é');
    }
    void newCancelledOrRefused()
    {
        QFETCH(QString, name);
        MainWindow w({"Mum"});
        w.choose(QStringLiteral("Mum"));
        w.setCell(1, 1, QStringLiteral("Aspirin"));
        w.form->list().setChangesMade(true);
        w.prompter.answers << name;
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

    // The selector still shows a name then, though no list is open, and Save
    // must not write a file named ".dat".
    void catalogueVanished()
    {
        MainWindow w({"Mum"});
        QVERIFY(QFile::remove(w.path(QStringLiteral("MedLists.dat"))));
        w.choose(QStringLiteral("Mum"));
        QCOMPARE(w.prompter.log, QStringList{"inform Pillora: No Med Lists found."});
        QCOMPARE(w.name(), "");
        w.form->updateStatus();
        w.form->Command1[Form1::SaveButton]->click();
        QCOMPARE(w.dataFiles(), QStringList());
    }

    // Shown as far as it could be read, never with what was shown before.
    void incompleteListFileShownWithMessage()
    {
        MainWindow w({"Mum"});
        const QByteArray whole = windowsFile();
        w.write("Mum.dat", whole.left(whole.indexOf("5 mg")));
        w.setCell(3, 3, QStringLiteral("earlier"));
        w.choose("Mum");
        QCOMPARE(w.prompter.log.size(), 1);
        QVERIFY(w.prompter.log[0].startsWith(u"warn Pillora: The list \"Mum\""));
        QCOMPARE(w.cell(1, 1), "Café Crème");
        QCOMPARE(w.cell(3, 3), "");
    }

    void failedSaveKeepsChangesAndAsksBeforeClosing()
    {
        MainWindow w({"Mum"});
        w.form->show();
        w.choose(QStringLiteral("Mum"));
        w.form->list().setChangesMade(true);
        // Stops a save for any user, root included, unlike a read-only folder.
        QVERIFY(QDir().mkdir(w.path("Mum.dat")));

        QVERIFY(!w.form->commands().SaveList());
        QVERIFY(w.changed());
        const QString failure = w.prompter.log.value(0);
        QVERIFY(failure.startsWith(u"warn Pillora: The list \"Mum\" could not be saved.\n\n"));
        for (bool closeAnyway : {false, true}) {
            w.prompter.log.clear();
            w.prompter.answers << true << closeAnyway;
            QCOMPARE(w.form->close(), closeAnyway);
            QCOMPARE(w.prompter.log.size(), 3);
            QCOMPARE(w.prompter.log.mid(0, 2), QStringList({SaveQuestion, failure}));
            QVERIFY(w.prompter.log[2].startsWith(u"ask Pillora: "));
        }
        QVERIFY(!w.form->isVisible());
    }

    // The catalogue may name a list twice; only the chosen entry goes.
    void deleteList_data()
    {
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes") << 1 << true << true;
        QTest::newRow("No") << 1 << true << false;
        QTest::newRow("never saved") << 1 << false << true;
        QTest::newRow("second of two entries") << 3 << true << true;
    }
    void deleteList()
    {
        QFETCH(int, chosen);
        QFETCH(bool, saved);
        QFETCH(bool, yes);
        QStringList names{"A", "B", "C", "B"};
        MainWindow w(names);
        for (const char *name : {"A", "B", "C"}) {
            if (*name != 'B' || saved)
                w.write(name + QStringLiteral(".dat"), windowsFile());
        }
        w.form->cboLoad->setCurrentIndex(chosen);
        w.form->commands().LoadList();
        w.form->list().setChangesMade(true);
        w.prompter.answers << yes;
        w.form->updateStatus();
        w.form->Command1[Form1::DeleteButton]->click();

        QCOMPARE(w.prompter.log, QStringList{"ask Pillora: Delete B med file?"});
        if (yes)
            names.removeAt(chosen);
        QCOMPARE(w.bytes("MedLists.dat"), names.join("\r\n").toLatin1() + "\r\n");
        QCOMPARE(w.form->listNames(), names);
        QCOMPARE(w.dataFiles().join(' '),
                 saved && !yes ? "A.dat B.dat C.dat MedLists.dat" : "A.dat C.dat MedLists.dat");
        QCOMPARE(w.form->cboLoad->currentText(), yes ? "" : "B");
        QCOMPARE(w.name(), yes ? "" : "B");
        QCOMPARE(w.cell(1, 1), yes || !saved ? "" : "Café Crème");
        QVERIFY(w.changed()); // the deleted list's changes are dropped unasked
    }

    void windowsFileLoadedAndSavedUnchanged()
    {
        const QByteArray original = windowsFile();
        MainWindow w({"Mum", "Renée"});
        w.write(QStringLiteral("Renée.dat"), original);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));

        w.choose(QStringLiteral("Renée"));
        QVERIFY(w.prompter.log.isEmpty());
        QCOMPARE(w.form->frameGeometry(), QRect(1440 / 15, 720 / 15, 10800 / 15, 7200 / 15));
        QCOMPARE(w.cell(1, 1), QStringLiteral("Café Crème"));
        QCOMPARE(w.cell(1, 6), QStringLiteral("Take with food\r\nAvoid alcohol"));
        QCOMPARE(w.cell(2, 2), QStringLiteral("€ 3,50"));
        QCOMPARE(w.form->list().notes(), QStringLiteral("Call Dr. Müller\r\nMon–Fri 8\r12\r\n"));
        QCOMPARE(w.form->list().ListPrinterName(), QStringLiteral("HP LaserJet 4 (Büro)"));
        QVERIFY(w.form->mnuFontSizeOp[1]->isChecked() && w.form->mnuBold->isChecked());
        QVERIFY(!w.changed());

        // Save only reads the grid: an edit still open stays open and unsaved.
        w.type(40, 1, QStringLiteral("Ibuprofen"));
        QVERIFY(w.form->commands().SaveList());
        QVERIFY(w.form->EditingCell());
        QCOMPARE(w.bytes(QStringLiteral("Renée.dat")), original);
        QCOMPARE(w.bytes(QStringLiteral("MedLists.dat")), "Mum\r\nRen\xe9"
                                                          "e\r\n");
    }
};

QTEST_MAIN(TestListCommands)
#include "tst_listcommands.moc"
