#include "MainWindowFixture.h"
#include "storage/TemporaryTrash.h"

#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

const QString SaveQuestion = u"ask Pillora: Save current medications list?"_s;
const QString NameQuestion = u"input Create a New Medications List: Enter name for this new "
                             "medications list. (e.g. John Smith)"_s;
const QString SaveFailure = u"warn Pillora: The list \"Mum\" could not be saved."_s;
const QString CloseAnyway =
    u"ask Pillora: The list was not saved. Close Pillora anyway and lose the changes?"_s;

// The questions and messages so far, each cut before the reason a failure
// message gives, which is the system's own text.
QStringList asked(const ScriptedPrompter &prompter)
{
    QStringList texts;
    for (const QString &entry : prompter.log)
        texts << entry.section(u"\n\n"_s, 0, 0);
    return texts;
}

QStringList selectorNames(const MainWindow &w)
{
    QStringList names;
    for (int i = 0; i < w.selector()->count(); ++i)
        names << w.selector()->itemText(i);
    return names;
}

} // namespace

// New (the list to be named "Eve"), choosing "Dad", closing the window; and,
// for what only an open list allows, Load and Delete of "Mum".
enum class Command
{
    None,
    New,
    Load,
    Close,
    Delete,
    EmptyEntry
};
using Answers = QList<std::variant<bool, QString>>;

class TestListCommands : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // One keystroke in the general notes is a change worth asking about. A
    // folder where Mum's file should be makes the save fail, for any user:
    // then the list stays open, shown, chosen and changed, the catalogue
    // as it was.
    void leavingAChangedList_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<bool>("changedAfter");
        QTest::addColumn<bool>("windowOpen");
        const QString eve = u"Eve"_s;
        const QStringList save{SaveQuestion};
        const QStringList failed{SaveQuestion, SaveFailure};
        QTest::newRow("New, Yes") << Command::New << false << Answers{eve, true}
                                  << QStringList{NameQuestion, SaveQuestion} << eve << false
                                  << true;
        QTest::newRow("New, No") << Command::New << false << Answers{eve, false}
                                 << QStringList{NameQuestion, SaveQuestion} << eve << true << true;
        QTest::newRow("Load, Yes")
            << Command::Load << false << Answers{true} << save << "Dad" << false << true;
        QTest::newRow("Load, No") << Command::Load << false << Answers{false} << save << "Dad"
                                  << true << true;
        QTest::newRow("closing, Yes")
            << Command::Close << false << Answers{true} << save << "Mum" << false << false;
        QTest::newRow("closing, No")
            << Command::Close << false << Answers{false} << save << "Mum" << true << false;
        QTest::newRow("New, failed save")
            << Command::New << true << Answers{eve, true}
            << QStringList{NameQuestion, SaveQuestion, SaveFailure} << "Mum" << true << true;
        QTest::newRow("Load, failed save")
            << Command::Load << true << Answers{true} << failed << "Mum" << true << true;
        QTest::newRow("closing, failed save, then keeping the window")
            << Command::Close << true << Answers{true, false} << failed + QStringList{CloseAnyway}
            << "Mum" << true << true;
        QTest::newRow("closing anyway after a failed save")
            << Command::Close << true << Answers{true, true} << failed + QStringList{CloseAnyway}
            << "Mum" << true << false;
    }
    void leavingAChangedList()
    {
        QFETCH(Command, command);
        QFETCH(bool, saveFails);
        QFETCH(Answers, answers);
        QFETCH(QStringList, questions);
        QFETCH(QString, nameAfter);
        QFETCH(bool, changedAfter);
        QFETCH(bool, windowOpen);
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        if (saveFails)
            QVERIFY(QDir().mkdir(w.path("Mum.dat")));
        w.control("Text2")->setFocus();
        QTest::keyClicks(w.control("Text2"), u"x"_s);
        w.prompter.answers = answers;
        if (command == Command::New)
            w.button(Form1Ui::NewButton)->click();
        else if (command == Command::Load)
            w.choose(u"Dad"_s);
        else
            w.form->close();

        QCOMPARE(asked(w.prompter), questions);
        QCOMPARE(w.name(), nameAfter);
        QCOMPARE(w.selector()->currentText(), nameAfter);
        QCOMPARE(w.changed(), changedAfter);
        QCOMPARE(w.control("Text2")->property("plainText").toString() == u"x", nameAfter == u"Mum");
        QCOMPARE(w.form->isVisible(), windowOpen);
        // Saved exactly when the mark was cleared.
        QCOMPARE(QFileInfo(w.path("Mum.dat")).isFile(), !changedAfter);
        QCOMPARE(w.bytes("MedLists.dat").contains("Eve"), nameAfter == u"Eve");
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
        QCOMPARE(selectorNames(w), QStringList{"Mum"});
        QCOMPARE(w.name(), "Mum");
    }

    // Its file would be the catalogue itself, which loading it read as a
    // list, saving it overwrote and deleting it deleted.
    void catalogueSurvivesAListNamedMedLists()
    {
        MainWindow w("Mum\r\nMedLists\r\n");
        w.choose(u"MedLists"_s);
        QCOMPARE(w.cell(1, 1), "");
        w.press(Form1Ui::SaveButton);
        QCOMPARE(asked(w.prompter), {"warn Pillora: The list \"MedLists\" could not be saved."});
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\nMedLists\r\n");
        w.prompter.answers << true;
        w.press(Form1Ui::DeleteButton);
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\n");
    }

    // Dad's file fails to read (a folder in its place) or ends early: the
    // reason is shown, and the list shown is Mum's or as much of Dad's as
    // could be read, never a mix.
    void damagedListFile_data()
    {
        QTest::addColumn<QByteArray>("dadFile");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<QString>("dosageAfter");
        const QByteArray whole = windowsFile();
        QTest::newRow("unreadable") << QByteArray() << "The list \"Dad\" could not be read."
                                    << "Mum"
                                    << "5 mg";
        QTest::newRow("incomplete") << whole.left(whole.indexOf("5 mg"))
                                    << "The list \"Dad\" could not be read completely and is "
                                       "shown as far as it could be read."
                                    << "Dad"
                                    << "";
    }
    void damagedListFile()
    {
        QFETCH(QByteArray, dadFile);
        QFETCH(QString, message);
        QFETCH(QString, nameAfter);
        QFETCH(QString, dosageAfter);
        MainWindow w("Mum\r\nDad\r\n");
        w.write("Mum.dat", windowsFile());
        w.choose(u"Mum"_s);
        if (dadFile.isEmpty())
            QVERIFY(QDir().mkdir(w.path("Dad.dat")));
        else
            w.write("Dad.dat", dadFile);
        w.choose(u"Dad"_s);
        QCOMPARE(asked(w.prompter), {"warn Pillora: " + message});
        QVERIFY(!w.prompter.log[0].section(u"\n\n"_s, 1).isEmpty());
        QCOMPARE(w.name(), nameAfter);
        QCOMPARE(w.selector()->currentText(), nameAfter);
        QCOMPARE(w.cell(1, 1), "Café Crème");
        QCOMPARE(w.cell(1, 2), dosageAfter);
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
        QCOMPARE(selectorNames(w).join("\r\n").toLatin1() + "\r\n", catalogueAfter);
        QVERIFY(QFile::exists(w.path("A.dat")) && !QFile::exists(w.path("B.dat")));
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

    // Whatever a user typed before a list exists would be thrown away by
    // New, and Load and closing would not even ask.
    void onlyAnOpenListTakesInput_data()
    {
        QTest::addColumn<Command>("before");
        QTest::addColumn<bool>("open");
        QTest::newRow("start-up") << Command::None << false;
        QTest::newRow("after New") << Command::New << true;
        QTest::newRow("after Load") << Command::Load << true;
        QTest::newRow("after Delete") << Command::Delete << false;
        QTest::newRow("after an empty catalogue entry") << Command::EmptyEntry << false;
    }
    void onlyAnOpenListTakesInput()
    {
        QFETCH(Command, before);
        QFETCH(bool, open);
        MainWindow w("Mum\r\n\r\n");
        QVERIFY(w.show());
        if (before == Command::New)
            w.openList(u"Eve"_s);
        if (before == Command::Load || before == Command::Delete)
            w.choose(u"Mum"_s);
        if (before == Command::Delete) {
            w.prompter.answers << true;
            QVERIFY(w.press(Form1Ui::DeleteButton));
        }
        if (before == Command::EmptyEntry)
            w.chooseIndex(1);
        w.setCell(2, 1, u"Aspirin"_s);
        w.grid()->setCurrentCell(2, 1);
        QTest::qWait(120); // the status timer's turn
        QCOMPARE(w.button(Form1Ui::UpButton)->isEnabled(), open);
        QCOMPARE(w.type(2, 2, {}, 400) != nullptr, open); // its pause is 0.1 s
        w.grid()->setCurrentCell(9, 1);
        w.control("Text2")->setFocus();
        QTest::keyClicks(w.control("Text2"), u"x"_s);
        QCOMPARE(w.list.notes() == u"x", open);
        QCOMPARE(w.selector()->placeholderText(), "Choose a list, or press New to start one");
    }

    // A wheel turned while the pointer passes over the selector must not
    // load another list; once the selector has the focus it may.
    void wheelOverTheSelector_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("passing over") << false << "Mum";
        QTest::newRow("selector has the focus") << true << "Dad";
    }
    void wheelOverTheSelector()
    {
        QFETCH(bool, focused);
        QFETCH(QString, loaded);
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        QComboBox *selector = w.selector();
        if (focused)
            selector->setFocus();
        QTRY_COMPARE(selector->hasFocus(), focused);
        const QPoint at = selector->rect().center();
        QWheelEvent down(at, selector->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(selector, &down);
        QCOMPARE(w.name(), loaded);
        QCOMPARE(selector->currentText(), loaded);
    }
};

QTEST_MAIN(TestListCommands)
#include "tst_listcommands.moc"
