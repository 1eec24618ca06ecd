// The list commands as the window carries them out: its selector, its
// closing, what it lets the user touch. The commands' own questions and
// outcomes are tested without a window, in tests/commands.

#include "MainWindowFixture.h"
#include "storage/TemporaryTrash.h"

#include <QWheelEvent>

using namespace Qt::StringLiterals;

using Answers = decltype(ScriptedPrompter::answers);

class TestListWindow : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // Typing in the notes is a change; the window closes once it is saved,
    // and stays when the user keeps it after a failed save.
    void closing_data()
    {
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<bool>("saveFails");
        QTest::newRow("saved") << Answers{true} << false;
        QTest::newRow("the save fails, the window kept") << Answers{true, false} << true;
    }
    void closing()
    {
        QFETCH(Answers, answers);
        QFETCH(bool, saveFails);
        MainWindow w("Mum\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        if (saveFails)
            QVERIFY(QDir().mkdir(w.path("Mum.dat")));
        w.control("Text2")->setFocus();
        QTest::keyClicks(w.control("Text2"), u"x"_s);
        w.prompter.answers = answers;
        w.form->close();
        QCOMPARE(w.form->isVisible(), saveFails);
        QCOMPARE(w.bytes("Mum.dat").endsWith("\r\nx\r\n"), !saveFails);
    }

    // A list loaded shows its due refills marked, from its first cell.
    void loadedListShowsWhatIsDue()
    {
        MainWindow w("Mum\r\nDad\r\n");
        MedicationList dad;
        dad.setCurrentListName(u"Dad"_s);
        dad.setCell(2, 1, u"Warfarin"_s);
        dad.setCell(2, 5, Today.addDays(3).toString(Qt::ISODate));
        QVERIFY(w.store.save(dad));
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.grid()->setCurrentCell(4, 3);
        w.choose(u"Dad"_s);
        QVERIFY(w.due(2) && !w.due(1));
        QCOMPARE(QPoint(w.grid()->row(), w.grid()->col()), QPoint(1, 1));
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
        QVERIFY(w.tick());
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
        QCOMPARE(w.selector()->currentText(), nameAfter);
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

    // Another program or computer changes the catalogue while the window
    // runs: the selector follows, keeping the open list offered.
    void catalogueChangedElsewhere_data()
    {
        QTest::addColumn<QByteArray>("elsewhere");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("a list added")
            << "Mum\r\nDad\r\nGran\r\n"_ba << QStringList{"Mum", "Dad", "Gran"};
        QTest::newRow("the open list taken out") << "Dad\r\n"_ba << QStringList{"Dad", "Mum"};
    }
    void catalogueChangedElsewhere()
    {
        QFETCH(QByteArray, elsewhere);
        QFETCH(QStringList, names);
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.write("MedLists.dat", elsewhere);
        const auto offered = [&w] {
            QStringList names;
            for (int i = 0; i < w.selector()->count(); ++i)
                names << w.selector()->itemText(i);
            return names;
        };
        QTRY_COMPARE(offered(), names);
        QCOMPARE(w.selector()->currentText(), u"Mum"_s);
    }
};

QTEST_MAIN(TestListWindow)
#include "tst_listwindow.moc"
