#include "MainWindowFixture.h"
#include "storage/TemporaryTrash.h"

using namespace Qt::StringLiterals;

namespace {

const QString SaveQuestion = u"ask Pillora: Save current medications list?"_s;
const QString NameQuestion = u"input Create a New Medications List: Enter name for this new "
                             "medications list. (e.g. John Smith)"_s;
const QString SaveFailure = u"warn Pillora: The list \"Mum\" could not be saved."_s;

// The questions and messages so far, each cut before the reason a failure
// message gives, which is the system's own text.
QStringList asked(const ScriptedPrompter &prompter)
{
    QStringList texts;
    for (const QString &entry : prompter.log)
        texts << entry.section(u"\n\n"_s, 0, 0);
    return texts;
}

enum class Command
{
    New,
    Load,
    Close
};
using Answers = QList<std::variant<bool, QString>>;

// New (the list to be named "Eve"), choosing "Dad" in the selector, or
// closing the window: the commands that leave the open list "Mum".
void perform(MainWindow &w, Command command)
{
    if (command == Command::New)
        w.button(Form1Ui::NewButton)->click();
    else if (command == Command::Load)
        w.choose(u"Dad"_s);
    else
        w.form->close();
}

} // namespace

class TestListCommands : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // A keystroke in the general notes is a change worth asking about.
    void leavingAChangedList_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("nameAfter");
        const QStringList save{SaveQuestion};
        const QStringList nameThenSave{NameQuestion, SaveQuestion};
        const QString eve = u"Eve"_s;
        QTest::newRow("New, Yes") << Command::New << Answers{eve, true} << nameThenSave << true
                                  << eve;
        QTest::newRow("New, No") << Command::New << Answers{eve, false} << nameThenSave << false
                                 << eve;
        QTest::newRow("Load, Yes") << Command::Load << Answers{true} << save << true << "Dad";
        QTest::newRow("Load, No") << Command::Load << Answers{false} << save << false << "Dad";
        QTest::newRow("closing, Yes") << Command::Close << Answers{true} << save << true << "Mum";
        QTest::newRow("closing, No") << Command::Close << Answers{false} << save << false << "Mum";
    }
    void leavingAChangedList()
    {
        QFETCH(Command, command);
        QFETCH(Answers, answers);
        QFETCH(QStringList, questions);
        QFETCH(bool, saved);
        QFETCH(QString, nameAfter);
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.text2()->setFocus();
        QTest::keyClicks(w.text2(), u"x"_s);
        w.prompter.answers = answers;
        perform(w, command);

        QCOMPARE(w.prompter.log, questions);
        QCOMPARE(w.dataFiles().contains(u"Mum.dat"_s), saved);
        QCOMPARE(w.name(), nameAfter);
        QCOMPARE(w.selector()->currentText(), nameAfter);
    }

    // Every name must make a file of its own on Windows and Linux alike, and
    // never one the program keeps for itself.
    void newRefusesUnusableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("Cancel") << "" << false;
        QTest::newRow("spaces only") << "   " << true;
        for (QChar c : u"\\/:*?\"<>|\t\x7f"_s)
            QTest::addRow("holding U+%04X", c.unicode()) << QStringLiteral("a%1b").arg(c) << true;
        QTest::newRow("trailing space") << "Dad " << true;
        QTest::newRow("trailing dot") << "Dad." << true;
        QTest::newRow("same name in another case") << "mUM" << true;
        QTest::newRow("outside windows-1252") << "Ωmega" << true;
        QTest::newRow("file name over 255 bytes") << QString(126, u'é') << true;
        QTest::newRow("the catalogue's name") << "MedLists" << true;
        QTest::newRow("the catalogue's name in another case") << "mEDlISTS" << true;
    }
    void newRefusesUnusableNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        MainWindow w("Mum\r\n");
        w.choose(u"Mum"_s);
        w.list.setChangesMade(true);
        w.prompter.answers << name;
        w.button(Form1Ui::NewButton)->click();

        // A message for a refused name, and no question about saving.
        QCOMPARE(w.prompter.log.size(), refused ? 2 : 1);
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\n");
        QCOMPARE(w.selectorNames(), QStringList{"Mum"});
        QCOMPARE(w.name(), "Mum");
    }

    // Its file would be the catalogue itself, which loading it read as a
    // list, saving it overwrote and deleting it deleted.
    void catalogueSurvivesAListNamedMedLists()
    {
        MainWindow w("Mum\r\nMedLists\r\n");
        const QByteArray catalogue = w.bytes("MedLists.dat");
        w.choose(u"MedLists"_s);
        QCOMPARE(w.cell(1, 1), "");
        w.setCell(1, 1, u"Aspirin"_s);
        w.press(Form1Ui::SaveButton);
        QCOMPARE(asked(w.prompter), {"warn Pillora: The list \"MedLists\" could not be saved."});
        QCOMPARE(w.bytes("MedLists.dat"), catalogue);
        w.prompter.answers << true;
        w.press(Form1Ui::DeleteButton);
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\n");
    }

    // A folder where the list's file should be stops a save for any user,
    // root included. The command stops, nothing on disk changes, and the
    // list stays open, shown, chosen and marked changed.
    void failedSaveKeepsTheListOpen_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("windowOpen");
        const QString anyway = u"ask Pillora: The list was not saved. Close Pillora anyway and "
                               "lose the changes?"_s;
        QTest::newRow("New") << Command::New << Answers{u"Eve"_s, true}
                             << QStringList{NameQuestion, SaveQuestion, SaveFailure} << true;
        QTest::newRow("Load") << Command::Load << Answers{true}
                              << QStringList{SaveQuestion, SaveFailure} << true;
        QTest::newRow("closing, then keeping the window")
            << Command::Close << Answers{true, false}
            << QStringList{SaveQuestion, SaveFailure, anyway} << true;
        QTest::newRow("closing anyway") << Command::Close << Answers{true, true}
                                        << QStringList{SaveQuestion, SaveFailure, anyway} << false;
    }
    void failedSaveKeepsTheListOpen()
    {
        QFETCH(Command, command);
        QFETCH(Answers, answers);
        QFETCH(QStringList, questions);
        QFETCH(bool, windowOpen);
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.setCell(4, 3, u"Aspirin"_s);
        w.list.setChangesMade(true);
        QVERIFY(QDir().mkdir(w.path("Mum.dat")));
        w.prompter.answers = answers;
        perform(w, command);

        QCOMPARE(asked(w.prompter), questions);
        QCOMPARE(w.form->isVisible(), windowOpen);
        QCOMPARE(w.name(), "Mum");
        QCOMPARE(w.selector()->currentText(), "Mum");
        QCOMPARE(w.grid()->tableModel().indexOfCell(4, 3).data().toString(), "Aspirin");
        QVERIFY(w.changed());
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\nDad\r\n");
    }

    // The reason is shown, and the list shown before stays open and chosen.
    void unreadableListFileKeepsThePreviousList()
    {
        MainWindow w("Mum\r\nDad\r\n");
        w.write("Mum.dat", windowsFile());
        w.choose(u"Mum"_s);
        QVERIFY(QDir().mkdir(w.path("Dad.dat")));
        w.choose(u"Dad"_s);
        QCOMPARE(asked(w.prompter), {"warn Pillora: The list \"Dad\" could not be read."});
        QVERIFY(!w.prompter.log[0].section(u"\n\n"_s, 1).isEmpty());
        QCOMPARE(w.name(), "Mum");
        QCOMPARE(w.selector()->currentText(), "Mum");
        QCOMPARE(w.cell(1, 1), "Café Crème");
        QVERIFY(!w.changed());
    }

    // Shown as far as it could be read, never with what was shown before.
    void incompleteListFileShownWithMessage()
    {
        MainWindow w("Mum\r\n");
        const QByteArray whole = windowsFile();
        w.write("Mum.dat", whole.left(whole.indexOf("5 mg")));
        w.setCell(3, 3, u"earlier"_s);
        w.choose(u"Mum"_s);
        QCOMPARE(asked(w.prompter), {"warn Pillora: The list \"Mum\" could not be read completely "
                                     "and is shown as far as it could be read."});
        QCOMPARE(w.cell(1, 1), "Café Crème");
        QCOMPARE(w.cell(3, 3), "");
    }

    // The catalogue may name a list twice, and only the chosen entry goes; one
    // edited by hand may end its lines in LF alone. A list never saved has
    // no file, which is no failure.
    void deleteList_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QByteArray>("catalogueAfter");
        const QByteArray names = "A\r\nB\r\nC\r\nB\r\n";
        QTest::newRow("first B") << names << 1 << true << "A\r\nC\r\nB\r\n"_ba;
        QTest::newRow("second B") << names << 3 << true << "A\r\nB\r\nC\r\n"_ba;
        QTest::newRow("LF line ends") << "A\nB\nC\n"_ba << 1 << true << "A\r\nC\r\n"_ba;
        QTest::newRow("never saved") << names << 1 << false << "A\r\nC\r\nB\r\n"_ba;
    }
    void deleteList()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(int, chosen);
        QFETCH(bool, saved);
        QFETCH(QByteArray, catalogueAfter);
        MainWindow w(catalogue);
        w.write("A.dat", windowsFile());
        if (saved)
            w.write("B.dat", windowsFile());
        w.chooseIndex(chosen);
        w.prompter.answers << true;
        w.press(Form1Ui::DeleteButton);

        QCOMPARE(w.prompter.log, QStringList{"ask Pillora: Delete B med file?"});
        QCOMPARE(w.bytes("MedLists.dat"), catalogueAfter);
        QCOMPARE(w.selectorNames().join("\r\n").toLatin1() + "\r\n", catalogueAfter);
        QCOMPARE(w.dataFiles(), QStringList({"A.dat", "MedLists.dat"}));
        QCOMPARE(w.name(), "");
        QCOMPARE(w.cell(1, 1), "");
    }

    // The user sees "Ibuprofen" in the editor and clicks Save.
    void saveTakesTheTextStillInTheEditor()
    {
        MainWindow w("Mum\r\n");
        w.choose(u"Mum"_s);
        w.type(40, 1, u"Ibuprofen"_s);
        w.press(Form1Ui::SaveButton);
        QVERIFY(w.bytes("Mum.dat").contains("\r\nIbuprofen\r\n"));
        QVERIFY(!w.changed());
    }
};

QTEST_MAIN(TestListCommands)
#include "tst_listcommands.moc"
