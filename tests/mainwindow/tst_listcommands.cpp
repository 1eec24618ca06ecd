#include "MainWindowFixture.h"
#include "storage/TemporaryTrash.h"

#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

const QString SaveQuestion = u"ask Pillora: Save current medications list?"_s;
const QString NameQuestion = u"input Create a New Medications List: Enter name for this new "
                             "medications list. (e.g. John Smith)"_s;
const QString SaveFailure = u"warn Pillora: The list \"Mum\" could not be saved."_s;
const QString MissingDad = u"inform Pillora: The file of the list \"Dad\" is missing, so the list "
                           "is shown empty. A list that was never saved has no file yet."_s;
const QString CloseAnyway =
    u"ask Pillora: The list was not saved. Close Pillora anyway and lose the changes?"_s;

QStringList asked(QStringList log) // without the system's reason for a failure
{
    for (QString &entry : log)
        entry = entry.section(u"\n\n"_s, 0, 0);
    return log;
}

} // namespace

using Answers = decltype(ScriptedPrompter::answers);

class TestListCommands : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // A folder in place of Mum's file makes the save fail, for root as well.
    void leavingAChangedList_data()
    {
        QTest::addColumn<Step>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QString>("nameAfter");
        QTest::addColumn<bool>("windowOpen");
        const Step newList = [](MainWindow &w) { w.button(Form1Ui::NewButton)->click(); };
        const Step loadDad = [](MainWindow &w) { w.choose(u"Dad"_s); };
        const Step close = [](MainWindow &w) { w.form->close(); };
        const QString eve = u"Eve"_s;
        const QStringList failed{SaveQuestion, SaveFailure};
        const QStringList failedThenAnyway = failed + QStringList{CloseAnyway};
        QTest::newRow("New") << newList << Answers{eve, true}
                             << QStringList{NameQuestion, SaveQuestion} << eve << true;
        QTest::newRow("Load") << loadDad << Answers{true} << QStringList{SaveQuestion, MissingDad}
                              << "Dad" << true;
        QTest::newRow("closing") << close << Answers{true} << QStringList{SaveQuestion} << "Mum"
                                 << false;
        QTest::newRow("New, failed save")
            << newList << Answers{eve, true} << QStringList{NameQuestion} + failed << "Mum" << true;
        QTest::newRow("Load, failed save") << loadDad << Answers{true} << failed << "Mum" << true;
        QTest::newRow("closing, failed save, keeping the window")
            << close << Answers{true, false} << failedThenAnyway << "Mum" << true;
        QTest::newRow("closing anyway after a failed save")
            << close << Answers{true, true} << failedThenAnyway << "Mum" << false;
    }
    void leavingAChangedList()
    {
        QFETCH(Step, command);
        QFETCH(Answers, answers);
        QFETCH(QStringList, questions);
        QFETCH(QString, nameAfter);
        QFETCH(bool, windowOpen);
        const bool saveFails = questions.contains(SaveFailure);
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.prompter.log.clear();
        if (saveFails)
            QVERIFY(QDir().mkdir(w.path("Mum.dat")));
        w.control("Text2")->setFocus();
        QTest::keyClicks(w.control("Text2"), u"x"_s);
        w.prompter.answers = answers;
        command(w);

        QCOMPARE(asked(w.prompter.log), questions);
        QCOMPARE(w.name(), nameAfter);
        QCOMPARE(w.selector()->currentText(), nameAfter);
        QCOMPARE(w.control("Text2")->property("plainText").toString() == u"x", nameAfter == u"Mum");
        QCOMPARE(w.form->isVisible(), windowOpen);
        QCOMPARE(w.changed(), saveFails);
        QCOMPARE(QFileInfo(w.path("Mum.dat")).isFile(), !saveFails);
        QCOMPARE(w.bytes("MedLists.dat").contains("Eve"), nameAfter == u"Eve");
    }

    // A refused name is explained, then offered again to be corrected; a
    // Cancel then leaves everything as it was.
    void newRefusesUnusableNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("corrected");
        QTest::newRow("Cancel") << "" << false << "";
        QTest::newRow("spaces only") << "   " << true << "";
        for (QChar c : u"\\/:*?\"<>|\t\x7f"_s)
            QTest::addRow("holding U+%04X", c.unicode())
                << QStringLiteral("a%1b").arg(c) << true << "";
        QTest::newRow("trailing space") << "Dad " << true << "";
        QTest::newRow("trailing dot") << "Dad." << true << "";
        QTest::newRow("same name in another case") << "mUM" << true << "";
        QTest::newRow("outside windows-1252") << "Ωmega" << true << "";
        QTest::newRow("file name over 255 bytes") << QString(126, u'é') << true << "";
        QTest::newRow("the catalogue's name") << "MedLists" << true << "";
        QTest::newRow("the catalogue's name in another case") << "mEDlISTS" << true << "";
        QTest::newRow("corrected") << "Tom/Jerry" << true << "Tom and Jerry";
    }
    void newRefusesUnusableNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        QFETCH(QString, corrected);
        MainWindow w("Mum\r\n");
        w.choose(u"Mum"_s);
        w.prompter.log.clear();
        w.prompter.answers << name << corrected;
        w.button(Form1Ui::NewButton)->click();
        QStringList questions{NameQuestion};
        if (refused)
            questions << "warn" << NameQuestion + " [" + name + "]";
        for (QString &entry : w.prompter.log)
            entry = entry.startsWith(u"warn ") ? u"warn"_s : entry;
        QCOMPARE(w.prompter.log, questions);
        const QString created = corrected.isEmpty() ? u"Mum"_s : corrected;
        QCOMPARE(w.bytes("MedLists.dat"),
                 "Mum\r\n" + (corrected.isEmpty() ? QByteArray() : corrected.toLatin1() + "\r\n"));
        QCOMPARE(w.name(), created);
    }

    // MedLists.dat is the catalogue, which one edited by hand ends in LF.
    void catalogueSurvivesItsLists()
    {
        MainWindow w("MedLists\nB\nC\nB\n");
        w.write("B.dat", windowsFile());
        w.choose(u"MedLists"_s);
        QCOMPARE(w.cell(1, 1), "");
        w.press(Form1Ui::SaveButton);
        QCOMPARE(
            asked(w.prompter.log),
            QStringList({"warn Pillora: The list \"MedLists\" cannot have a file, so it is shown "
                         "empty and cannot be saved.",
                         "warn Pillora: The list \"MedLists\" could not be saved."}));
        QCOMPARE(w.bytes("MedLists.dat"), "MedLists\nB\nC\nB\n");
        w.prompter.answers << true << true;
        w.press(Form1Ui::DeleteButton);
        QCOMPARE(w.bytes("MedLists.dat"), "B\r\nC\r\nB\r\n");
        w.chooseIndex(2);
        w.press(Form1Ui::DeleteButton);
        QCOMPARE(w.bytes("MedLists.dat"), "B\r\nC\r\n");
        QVERIFY(!QFile::exists(w.path("B.dat")));
        // The catalogue gone while the program runs: the selector still shows
        // a name, yet no list is open, and Save must not write ".dat".
        QVERIFY(QFile::remove(w.path("MedLists.dat")));
        w.prompter.log.clear();
        w.chooseIndex(0);
        QCOMPARE(w.prompter.log, {"inform Pillora: No Med Lists found."});
        w.press(Form1Ui::SaveButton);
        QVERIFY(!QFile::exists(w.path(".dat")));
    }

    // The reason shown, the list shown before stays, or as much as was read.
    // Memory that is not there cannot be read, by root either.
    void unreadableAndIncompleteListFiles()
    {
        MainWindow w("Mum\r\nDad\r\n");
        w.write("Mum.dat", windowsFile());
        w.choose(u"Mum"_s);
        QVERIFY(QFile::link("/proc/self/mem", w.path("Dad.dat")));
        w.choose(u"Dad"_s);
        QCOMPARE(asked(w.prompter.log), {"warn Pillora: The list \"Dad\" could not be read."});
        QVERIFY(!w.prompter.log.value(0).section(u"\n\n"_s, 1).isEmpty());
        QCOMPARE(w.name(), "Mum");
        QCOMPARE(w.selector()->currentText(), "Mum");
        QCOMPARE(w.cell(1, 2), "5 mg");

        QVERIFY(QFile::remove(w.path("Dad.dat")));
        w.write("Dad.dat", windowsFile().left(windowsFile().indexOf("5 mg")));
        w.prompter.log.clear();
        w.choose(u"Dad"_s);
        QCOMPARE(asked(w.prompter.log), {"warn Pillora: The list \"Dad\" could not be read "
                                         "completely and is shown as far as it could be read."});
        QCOMPARE(w.cell(1, 1), "Café Crème");
        QCOMPARE(w.cell(1, 2), "");
    }

    // So do the buttons the status timer enables.
    void onlyAnOpenListTakesInput_data()
    {
        QTest::addColumn<Step>("before");
        QTest::addColumn<bool>("open");
        const Step load = [](MainWindow &w) { w.choose(u"Mum"_s); };
        const Step remove = [load](MainWindow &w) {
            load(w);
            w.prompter.answers << true;
            w.press(Form1Ui::DeleteButton);
        };
        QTest::newRow("start-up") << Step([](MainWindow &) {}) << false;
        QTest::newRow("after New") << Step([](MainWindow &w) { w.openList(u"Eve"_s); }) << true;
        QTest::newRow("after Load") << load << true;
        QTest::newRow("after Delete") << remove << false;
        QTest::newRow("after an empty catalogue entry")
            << Step([](MainWindow &w) { w.chooseIndex(1); }) << false;
    }
    void onlyAnOpenListTakesInput()
    {
        QFETCH(Step, before);
        QFETCH(bool, open);
        MainWindow w("Mum\r\n\r\n");
        QVERIFY(w.show());
        before(w);
        w.setCell(2, 1, u"Aspirin"_s);
        w.grid()->setCurrentCell(2, 1);
        QTest::qWait(120); // the status timer's turn
        for (const char *name : {"Command1_1", "Command1_2", "Command1_4", "Command2_0",
                                 "Command2_1", "Command2_2", "Command2_3"})
            QVERIFY2(w.control(name)->isEnabled() == open, name);
        QCOMPARE(w.type(2, 2, {}, 400) != nullptr, open); // its pause is 0.1 s
        w.control("Text2")->setFocus();
        QTest::keyClicks(w.control("Text2"), u"x"_s);
        QCOMPARE(w.list.notes() == u"x", open);
        w.grid()->setCurrentCell(3, 1);
        QTRY_VERIFY(!w.button(Form1Ui::UpButton)->isEnabled());
    }

    // Enter answers the default: No where a whole list is at stake, Yes for
    // a medicine, which can be undone. Esc answers No to both (the desktop's
    // boxes are tested for that in tests/platform). No leaves all as it was.
    void deleteQuestions_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("question");
        QTest::newRow("the list") << "Command1_1"
                                  << "ask Pillora: Delete Mum med file? [default No]";
        QTest::newRow("a medicine") << "Command2_2"
                                    << "ask Pillora: Delete Aspirin?";
    }
    void deleteQuestions()
    {
        QFETCH(QString, button);
        QFETCH(QString, question);
        MainWindow w("Mum\r\n");
        w.write("Mum.dat", windowsFile());
        w.choose(u"Mum"_s);
        w.setCell(1, 1, u"Aspirin"_s);
        w.prompter.log.clear();
        w.prompter.answers << false;
        auto *pressed = w.control<QPushButton>(button);
        QVERIFY(QTest::qWaitFor([pressed] { return pressed->isEnabled(); }, 500));
        pressed->click();
        QCOMPARE(w.prompter.log, QStringList{question});
        QCOMPARE(w.name(), "Mum");
        QCOMPARE(w.cell(1, 1), "Aspirin");
        QCOMPARE(w.bytes("MedLists.dat"), "Mum\r\n");
    }

    // The question about Mum is asked with Mum in the selector, whatever is
    // chosen next; afterwards the selector shows what is open.
    void selectorShowsTheListAskedAbout_data()
    {
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QString>("shownAfter");
        QTest::newRow("Yes") << Answers{true} << "Dad";
        QTest::newRow("No") << Answers{false} << "Dad";
        QTest::newRow("the save fails") << Answers{true} << "Mum";
    }
    void selectorShowsTheListAskedAbout()
    {
        QFETCH(Answers, answers);
        QFETCH(QString, shownAfter);
        MainWindow w("Mum\r\nDad\r\n");
        w.write("Dad.dat", windowsFile());
        w.choose(u"Mum"_s);
        if (shownAfter == u"Mum")
            QVERIFY(QDir().mkdir(w.path("Mum.dat")));
        w.list.setChangesMade(true);
        QStringList shownWhileAsking;
        w.prompter.whileAsking = [&] { shownWhileAsking << w.selector()->currentText(); };
        w.prompter.answers = answers;
        w.choose(u"Dad"_s);
        QCOMPARE(shownWhileAsking, QStringList{u"Mum"_s});
        QCOMPARE(w.selector()->currentText(), shownAfter);
        QCOMPARE(w.name(), shownAfter);
    }

    // Whatever the list before held, the grid is fitted to what it holds
    // now, from its first cell.
    void emptiedListIsLaidOutAfresh_data()
    {
        QTest::addColumn<Step>("command");
        QTest::addColumn<QString>("nameAfter");
        QTest::newRow("New") << Step([](MainWindow &w) { w.openList(u"Eve"_s); }) << "Eve";
        QTest::newRow("Delete") << Step([](MainWindow &w) {
            w.prompter.answers << true;
            QVERIFY(w.press(Form1Ui::DeleteButton));
        }) << "";
    }
    void emptiedListIsLaidOutAfresh()
    {
        QFETCH(Step, command);
        QFETCH(QString, nameAfter);
        MainWindow w("Mum\r\n");
        w.write("Mum.dat", windowsFile());
        w.choose(u"Mum"_s);
        w.setCell(3, 6, u"1\r\n2\r\n3\r\n4"_s);
        w.form->SetColumnWidths();
        w.grid()->setCurrentCell(3, 6);
        command(w);
        QCOMPARE(w.name(), nameAfter);
        const auto sizes = [&w] {
            QList<int> sizes;
            for (int column = 0; column <= 6; ++column)
                sizes << w.grid()->colWidth(column);
            for (int row = 1; row <= 49; ++row)
                sizes << w.grid()->rowHeight(row);
            return sizes;
        };
        const QList<int> shown = sizes();
        w.form->SetColumnWidths();
        QCOMPARE(shown, sizes());
        QCOMPARE(QPoint(w.grid()->row(), w.grid()->col()), QPoint(1, 1));
    }

    void wheelOverTheSelectorLoadsOnlyWithTheFocus()
    {
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        QComboBox *selector = w.selector();
        const QPoint at = selector->rect().center();
        QWheelEvent down(at, selector->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(selector, &down);
        QCOMPARE(w.name(), "Mum");
        selector->setFocus();
        QTRY_VERIFY(selector->hasFocus());
        QCoreApplication::sendEvent(selector, &down);
        QCOMPARE(w.name(), "Dad");
    }
};

QTEST_MAIN(TestListCommands)
#include "tst_listcommands.moc"
