#include "MainWindowFixture.h"
#include "storage/TemporaryTrash.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace {

const QString SaveQuestion = QStringLiteral("ask Pillora: Save current medications list?");
const QString NameQuestion = QStringLiteral("input Create a New Medications List: Enter name for "
                                            "this new medications list. (e.g. John Smith)");
const QString CloseAnywayQuestion = QStringLiteral("ask Pillora: The list was not saved. Close "
                                                   "Pillora anyway and lose the changes?");

// Written by the program under Windows: windows-1252 text, "~~" for the line
// breaks of Notes, a lone "~" typed by its user, CR LF throughout, the window
// at 1440, 720 and 10800 x 7200 twips.
QByteArray windowsFile()
{
    QFile source(QStringLiteral(PILLORA_TEST_DATA "/windows-roundtrip.dat"));
    return source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
}

// The questions and messages so far, each cut before the reason a failure
// message gives, which is the system's own text.
QStringList asked(const ScriptedPrompter &prompter)
{
    QStringList texts;
    for (const QString &entry : prompter.log)
        texts << entry.section(QStringLiteral("\n\n"), 0, 0);
    return texts;
}


enum class Command
{
    New,
    Load,
    Close
};
using Answers = QList<std::variant<bool, QString>>;

// The user starts a command that leaves the open list: New (naming the list
// "Eve"), choosing "Dad" in the selector, or closing the window.
void perform(MainWindow &w, Command command)
{
    switch (command) {
    case Command::New:
        w.button(Form1Ui::NewButton)->click();
        break;
    case Command::Load:
        w.choose(QStringLiteral("Dad"));
        break;
    case Command::Close:
        w.form->close();
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Answers)

class TestListCommands : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // An edit still open is committed first, so that a Yes saves it.
    void leavingAChangedList_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<QString>("cellAfter");
        const QString edit = QStringLiteral("Aspirin");
        // clang-format off
        QTest::newRow("New, Yes")   << Command::New   << Answers{QStringLiteral("Eve"), true}
                                    << QStringList{NameQuestion, SaveQuestion} << true << "Eve" << "";
        QTest::newRow("New, No")    << Command::New   << Answers{QStringLiteral("Eve"), false}
                                    << QStringList{NameQuestion, SaveQuestion} << false << "Eve" << "";
        QTest::newRow("Load, Yes")  << Command::Load  << Answers{true}
                                    << QStringList{SaveQuestion} << true << "Dad" << "";
        QTest::newRow("Load, No")   << Command::Load  << Answers{false}
                                    << QStringList{SaveQuestion} << false << "Dad" << "";
        QTest::newRow("close, Yes") << Command::Close << Answers{true}
                                    << QStringList{SaveQuestion} << true << "Mum" << edit;
        QTest::newRow("close, No")  << Command::Close << Answers{false}
                                    << QStringList{SaveQuestion} << false << "Mum" << edit;
        // clang-format on
    }
    void leavingAChangedList()
    {
        QFETCH(Command, command);
        QFETCH(Answers, answers);
        QFETCH(QStringList, questions);
        QFETCH(bool, saved);
        QFETCH(QString, nameAfter);
        QFETCH(QString, cellAfter);
        MainWindow w({"Mum", "Dad"});
        w.choose(QStringLiteral("Mum"));
        w.type(4, 3, QStringLiteral("Aspirin"));
        w.prompter.answers = answers;
        perform(w, command);

        QCOMPARE(w.prompter.log, questions);
        QCOMPARE(w.bytes("Mum.dat").contains("\r\nAspirin\r\n"), saved);
        // Only a save clears the mark, so the next command asks again.
        QCOMPARE(w.changed(), !saved);
        QCOMPARE(w.name(), nameAfter);
        QCOMPARE(w.selector()->currentText(), nameAfter);
        QCOMPARE(w.cell(4, 3), cellAfter);
    }

    // The new list is empty, chosen, in the catalogue, and has no file until
    // the first Save; the user's next choice in the selector loads again.
    void newListStartsEmptyWithoutFile()
    {
        MainWindow w({"Mum", "Dad"});
        w.write("Mum.dat", windowsFile());
        w.choose(QStringLiteral("Mum"));
        w.grid()->setCurrentCell(5, 4);
        w.prompter.answers << QStringLiteral("Eve");
        w.button(Form1Ui::NewButton)->click();

        QCOMPARE(w.prompter.log, QStringList{NameQuestion});
        QCOMPARE(w.cell(1, 1), "");
        QCOMPARE(w.current(), QPoint(1, 1));
        QCOMPARE(w.selector()->currentText(), "Eve");
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\nDad\r\nEve\r\n");
        QCOMPARE(w.selectorNames(), QStringList({"Mum", "Dad", "Eve"}));
        QCOMPARE(w.dataFiles(), QStringList({"MedLists.dat", "Mum.dat"}));
        w.choose(QStringLiteral("Mum"));
        QCOMPARE(w.cell(1, 1), "Café Crème");
    }

    // Two lists must never share a file, and every name must make a file on
    // Windows and Linux alike, and never one the program keeps for itself.
    void newCancelledOrRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("Cancel") << "" << false;
        QTest::newRow("spaces only") << "   " << true;
        for (QChar c : QStringLiteral("\\/:*?\"<>|\t\x7f"))
            QTest::addRow("holding U+%04X", c.unicode()) << QStringLiteral("a%1b").arg(c) << true;
        QTest::newRow("trailing space") << "Dad " << true;
        QTest::newRow("trailing dot") << "Dad." << true;
        QTest::newRow("same name in another case") << "mUM" << true;
        QTest::newRow("outside windows-1252") << "Ωmega" << true;
        QTest::newRow("file name over 255 bytes") << QString(126, u'é') << true;
        QTest::newRow("the catalogue's name") << "MedLists" << true;
        QTest::newRow("the catalogue's name in another case") << "mEDlISTS" << true;
    }
    void newCancelledOrRefused()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        MainWindow w({"Mum"});
        w.choose(QStringLiteral("Mum"));
        w.setCell(1, 1, QStringLiteral("Aspirin"));
        w.list.setChangesMade(true);
        w.prompter.answers << name;
        w.button(Form1Ui::NewButton)->click();

        // No question about saving; a message for a refused name only.
        QCOMPARE(w.prompter.log.size(), refused ? 2 : 1);
        QCOMPARE(w.prompter.log.last().startsWith(u"warn Pillora: "), refused);
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\n");
        QCOMPARE(w.dataFiles(), QStringList{"MedLists.dat"});
        QCOMPARE(w.selectorNames(), QStringList{"Mum"});
        QCOMPARE(w.name(), "Mum");
        QCOMPARE(w.cell(1, 1), "Aspirin");
        QVERIFY(w.changed());
    }

    // Its file would be the catalogue itself: loading it read the catalogue
    // as a list, saving it overwrote the catalogue, deleting it deleted it.
    void catalogueSurvivesAListNamedMedLists()
    {
        MainWindow w({"Mum", "MedLists"});
        const QByteArray catalogue = w.bytes("MedLists.dat");
        w.choose(QStringLiteral("MedLists"));
        QCOMPARE(w.prompter.log, QStringList());
        QCOMPARE(w.cell(1, 1), "");

        w.setCell(1, 1, QStringLiteral("Aspirin"));
        QVERIFY(!w.save());
        QCOMPARE(asked(w.prompter),
                 QStringList{"warn Pillora: The list \"MedLists\" could not be saved."});
        QCOMPARE(w.bytes("MedLists.dat"), catalogue);

        w.prompter.answers << true;
        w.press(Form1Ui::DeleteButton);
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\n");
        QCOMPARE(w.selectorNames(), QStringList{"Mum"});
    }

    // The selector still shows a name then, though no list is open: Save
    // must not write a file named ".dat", and closing asks nothing.
    void catalogueVanished()
    {
        MainWindow w({"Mum"});
        QVERIFY(QFile::remove(w.path(QStringLiteral("MedLists.dat"))));
        w.choose(QStringLiteral("Mum"));
        QCOMPARE(w.prompter.log, QStringList{"inform Pillora: No Med Lists found."});
        QCOMPARE(w.name(), "");
        w.press(Form1Ui::SaveButton);
        QCOMPARE(w.dataFiles(), QStringList());
        // With no list open there is nothing to lose.
        w.list.setChangesMade(true);
        QVERIFY(w.form->close());
        QCOMPARE(w.prompter.log.size(), 1);
    }

    // Shown as far as it could be read, never with what was shown before.
    void incompleteListFileShownWithMessage()
    {
        MainWindow w({"Mum"});
        const QByteArray whole = windowsFile();
        w.write("Mum.dat", whole.left(whole.indexOf("5 mg")));
        w.setCell(3, 3, QStringLiteral("earlier"));
        w.choose("Mum");
        QCOMPARE(asked(w.prompter), QStringList{"warn Pillora: The list \"Mum\" could not be read "
                                                "completely and is shown as far as it could be "
                                                "read."});
        QCOMPARE(w.cell(1, 1), "Café Crème");
        QCOMPARE(w.cell(3, 3), "");
    }

    // The user answers Yes to saving and the save fails: the command stops,
    // and the list stays open, shown, chosen and marked changed. No file
    // changes; a folder stands where the list's file should be, which stops
    // a save for any user, root included.
    void failedSaveKeepsTheListOpen_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("questions");
        const QString failure =
            QStringLiteral("warn Pillora: The list \"Mum\" could not be saved.");
        QTest::newRow("New") << Command::New << Answers{QStringLiteral("Eve"), true}
                             << QStringList{NameQuestion, SaveQuestion, failure};
        QTest::newRow("Load") << Command::Load << Answers{true}
                              << QStringList{SaveQuestion, failure};
        QTest::newRow("closing, then keeping the window")
            << Command::Close << Answers{true, false}
            << QStringList{SaveQuestion, failure, CloseAnywayQuestion};
    }
    void failedSaveKeepsTheListOpen()
    {
        QFETCH(Command, command);
        QFETCH(Answers, answers);
        QFETCH(QStringList, questions);
        MainWindow w({"Mum", "Dad"});
        w.write("Dad.dat", windowsFile());
        w.form->show();
        w.choose(QStringLiteral("Mum"));
        w.type(4, 3, QStringLiteral("Aspirin"));
        QTest::keyClick(w.text1(), Qt::Key_Return);
        QVERIFY(QDir().mkdir(w.path("Mum.dat")));
        const QStringList files = w.dataFiles();
        const QByteArray catalogue = w.bytes("MedLists.dat");
        w.prompter.answers = answers;
        perform(w, command);

        QCOMPARE(asked(w.prompter), questions);
        QVERIFY(w.form->isVisible());
        QCOMPARE(w.name(), "Mum");
        QCOMPARE(w.selector()->currentIndex(), 0);
        QCOMPARE(w.grid()->tableModel().indexOfCell(4, 3).data().toString(), "Aspirin");
        QVERIFY(w.changed());
        QCOMPARE(w.dataFiles(), files);
        QCOMPARE(w.bytes("MedLists.dat"), catalogue);
    }

    void closingAnywayAfterAFailedSave()
    {
        MainWindow w({"Mum"});
        w.form->show();
        w.choose(QStringLiteral("Mum"));
        w.list.setChangesMade(true);
        QVERIFY(QDir().mkdir(w.path("Mum.dat")));
        w.prompter.answers << true << true;
        QVERIFY(w.form->close());
        QCOMPARE(w.prompter.log.size(), 3);
        QVERIFY(!w.form->isVisible());
    }

    // The reason is shown, and the list shown before stays open and chosen,
    // none of it changed.
    void unreadableListFileKeepsThePreviousList_data()
    {
        QTest::addColumn<QString>("target");
        // clang-format off
        QTest::newRow("a folder where the file should be") << "";
        QTest::newRow("a file that fails to read")         << "/proc/self/mem";
        // clang-format on
    }
    void unreadableListFileKeepsThePreviousList()
    {
        QFETCH(QString, target);
        MainWindow w({"Mum", "Dad"});
        w.write("Mum.dat", windowsFile());
        w.choose(QStringLiteral("Mum"));
        const ListSettings settings = w.list.settings();
        if (target.isEmpty())
            QVERIFY(QDir().mkdir(w.path("Dad.dat")));
        else if (!QFile::exists(target) || !QFile::link(target, w.path("Dad.dat")))
            QSKIP("No file here fails when read.");
        w.choose(QStringLiteral("Dad"));

        QCOMPARE(asked(w.prompter),
                 QStringList{"warn Pillora: The list \"Dad\" could not be read."});
        QVERIFY(!w.prompter.log[0].section(QStringLiteral("\n\n"), 1).isEmpty());
        QCOMPARE(w.name(), "Mum");
        QCOMPARE(w.selector()->currentText(), "Mum");
        QCOMPARE(w.cell(1, 1), "Café Crème");
        QCOMPARE(w.list.settings(), settings);
        QVERIFY(!w.changed());
    }

    // The catalogue may name a list twice; only the chosen entry goes. A
    // catalogue edited by hand may end its lines in LF alone. A list that was
    // never saved has no file, which is no failure.
    void deleteList_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("files");
        QTest::addColumn<QByteArray>("catalogueAfter");
        QTest::addColumn<QString>("filesAfter");
        QTest::addColumn<QString>("shownAfter");
        const QByteArray names = "A\r\nB\r\nC\r\nB\r\n";
        const QString all = QStringLiteral("A.dat B.dat C.dat");
        const QString withoutB = QStringLiteral("A.dat C.dat");
        const QString shown = QStringLiteral("Café Crème");
        // clang-format off
        QTest::newRow("Yes")           << names << 1 << true  << all << "A\r\nC\r\nB\r\n"_ba << withoutB << "";
        QTest::newRow("No")            << names << 1 << false << all << names << all << shown;
        QTest::newRow("second of two") << names << 3 << true  << all << "A\r\nB\r\nC\r\n"_ba << withoutB << "";
        QTest::newRow("LF line ends")  << "A\nB\nC\n"_ba << 1 << true << all << "A\r\nC\r\n"_ba << withoutB << "";
        QTest::newRow("never saved")   << names << 1 << true << withoutB << "A\r\nC\r\nB\r\n"_ba << withoutB << "";
        // clang-format on
    }
    void deleteList()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(int, chosen);
        QFETCH(bool, yes);
        QFETCH(QString, files);
        QFETCH(QByteArray, catalogueAfter);
        QFETCH(QString, filesAfter);
        QFETCH(QString, shownAfter);
        MainWindow w;
        w.write("MedLists.dat", catalogue);
        for (const QString &name : files.split(u' '))
            w.write(name, windowsFile());
        w.restart();
        w.chooseIndex(chosen);
        w.list.setChangesMade(true);
        w.prompter.answers << yes;
        w.press(Form1Ui::DeleteButton);

        QCOMPARE(w.prompter.log, QStringList{"ask Pillora: Delete B med file?"});
        QCOMPARE(w.bytes("MedLists.dat"), catalogueAfter);
        QCOMPARE(w.selectorNames().join("\r\n").toLatin1() + "\r\n", catalogueAfter);
        QCOMPARE(w.dataFiles().join(' '), filesAfter + " MedLists.dat");
        QCOMPARE(w.selector()->currentText(), yes ? "" : "B");
        QCOMPARE(w.name(), w.selector()->currentText());
        QCOMPARE(w.cell(1, 1), shownAfter);
        QVERIFY(w.changed()); // the deleted list's changes are dropped unasked
    }

    void windowsFileLoadedAndSavedUnchanged()
    {
        const QByteArray original = windowsFile();
        MainWindow w({"Mum", "Renée"});
        w.write(QStringLiteral("Renée.dat"), original);
        w.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.form.get()));
        w.grid()->setCurrentCell(5, 4);

        w.choose(QStringLiteral("Renée"));
        QVERIFY(w.prompter.log.isEmpty());
        QCOMPARE(w.current(), QPoint(1, 1));
        QCOMPARE(w.form->frameGeometry(), QRect(1440 / 15, 720 / 15, 10800 / 15, 7200 / 15));
        QCOMPARE(w.cell(1, 1), QStringLiteral("Café Crème"));
        QVERIFY(w.action("mnuFontSizeOp_1")->isChecked() && w.action("mnuBold")->isChecked());
        QVERIFY(!w.changed());

        QVERIFY(w.save());
        QCOMPARE(w.bytes(QStringLiteral("Renée.dat")), original);
        QCOMPARE(w.bytes(QStringLiteral("MedLists.dat")), "Mum\r\nRen\xe9"
                                                          "e\r\n");
        // Saved, so closing asks nothing.
        QVERIFY(w.form->close());
        QCOMPARE(w.prompter.log, QStringList());
    }

    // The user sees "Ibuprofen" in the editor and clicks Save.
    void saveTakesTheTextStillInTheEditor()
    {
        MainWindow w({"Mum"});
        w.write(QStringLiteral("Mum.dat"), windowsFile());
        w.choose(QStringLiteral("Mum"));
        w.type(40, 1, QStringLiteral("Ibuprofen"));
        w.press(Form1Ui::SaveButton);
        QVERIFY(!w.editing());
        QVERIFY(w.bytes(QStringLiteral("Mum.dat")).contains("\r\nIbuprofen\r\n"));
        QVERIFY(!w.changed());
    }
};

QTEST_MAIN(TestListCommands)
#include "tst_listcommands.moc"
