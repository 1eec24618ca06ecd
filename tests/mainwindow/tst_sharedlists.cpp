// The window on a folder that other programs and computers change while it
// runs, as a sync tool or a second computer do.

#include "MainWindowFixture.h"
#include "storage/TemporaryTrash.h"

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QString Conflict = u"choose Pillora: 'Alice' was changed by another program since you "
                         "opened it. Replace it with your version? [Keep both|Replace|Cancel]"_s;

// Another program adds Warfarin to Alice's list, writing a new file and
// renaming it over the old one.
void addWarfarinElsewhere(const MainWindow &w)
{
    w.write("Alice.dat.sync", windowsFile().replace("Aspirin", "Warfarin"));
    QVERIFY(QFile::rename(w.path("Alice.dat.sync"), w.path("Alice.dat")) ||
            (QFile::remove(w.path("Alice.dat")) &&
             QFile::rename(w.path("Alice.dat.sync"), w.path("Alice.dat"))));
}

QStringList offered(const MainWindow &w)
{
    QStringList names;
    for (int i = 0; i < w.selector()->count(); ++i)
        names << w.selector()->itemText(i);
    return names;
}

} // namespace

using Answers = decltype(ScriptedPrompter::answers);

class TestSharedLists : public QObject
{
    Q_OBJECT

    const TemporaryTrash m_trash;

private slots:
    // Each way to a save, with each answer to the question.
    void saveOverAnotherProgramsChange_data()
    {
        QTest::addColumn<Step>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("theirsKept");
        QTest::addColumn<bool>("copyMade");
        QTest::addColumn<bool>("windowOpen");
        const Step save = [](MainWindow &w) { w.press(Form1Ui::SaveButton); };
        const Step newList = [](MainWindow &w) { w.button(Form1Ui::NewButton)->click(); };
        const Step loadDad = [](MainWindow &w) { w.choose(u"Dad"_s); };
        const Step close = [](MainWindow &w) { w.form->close(); };
        const Choice keepBoth{u"Keep both"_s};
        const Choice replace{u"Replace"_s};
        const Choice cancel{u"Cancel"_s};
        const QString eve = u"Eve"_s;
        // clang-format off
        QTest::newRow("Save, keep both") << save << Answers{keepBoth} << "Alice (2)" << true << true << true;
        QTest::newRow("Save, replace") << save << Answers{replace} << "Alice" << false << false << true;
        QTest::newRow("Save, cancel") << save << Answers{cancel} << "Alice" << true << false << true;
        QTest::newRow("New, keep both") << newList << Answers{eve, true, keepBoth} << "Eve" << true << true << true;
        QTest::newRow("New, cancel") << newList << Answers{eve, true, cancel} << "Alice" << true << false << true;
        QTest::newRow("Load, replace") << loadDad << Answers{true, replace} << "Dad" << false << false << true;
        QTest::newRow("Load, cancel") << loadDad << Answers{true, cancel} << "Alice" << true << false << true;
        QTest::newRow("closing, keep both") << close << Answers{true, keepBoth} << "Alice (2)" << true << true << false;
        QTest::newRow("closing, cancel") << close << Answers{true, cancel} << "Alice" << true << false << true;
        // clang-format on
    }
    void saveOverAnotherProgramsChange()
    {
        QFETCH(Step, command);
        QFETCH(Answers, answers);
        QFETCH(QString, shown);
        QFETCH(bool, theirsKept);
        QFETCH(bool, copyMade);
        QFETCH(bool, windowOpen);
        MainWindow w("Alice\r\nDad\r\n");
        w.write("Alice.dat", windowsFile());
        QVERIFY(w.show());
        w.choose(u"Alice"_s);
        w.setCell(3, 1, u"Ibuprofen"_s);
        w.list.setChangesMade(true);
        addWarfarinElsewhere(w);
        w.prompter.log.clear();
        w.prompter.answers = answers;
        command(w);

        QVERIFY2(w.prompter.log.contains(Conflict), qPrintable(w.prompter.log.join(u'\n')));
        QVERIFY(w.prompter.answers.isEmpty());
        QCOMPARE(w.name(), shown);
        QCOMPARE(w.selector()->currentText(), shown);
        QCOMPARE(w.bytes("Alice.dat").contains("Warfarin"), theirsKept);
        QCOMPARE(w.bytes("Alice.dat").contains("Ibuprofen"), !theirsKept);
        QCOMPARE(w.bytes("Alice (2).dat").contains("Ibuprofen"), copyMade);
        QCOMPARE(w.bytes("MedLists.dat").contains("Alice (2)\r\n"), copyMade);
        QCOMPARE(w.bytes("MedLists.dat").contains("Eve"), shown == u"Eve");
        // Only a cancelled save leaves the change unsaved, and the window open.
        QCOMPARE(w.changed(), !copyMade && theirsKept);
        QCOMPARE(w.form->isVisible(), windowOpen);
    }

    // Another computer added Gran, or took Mum out, since the selector was
    // filled: New and Delete keep what it did, and the selector follows.
    void catalogueChangedElsewhere_data()
    {
        QTest::addColumn<QByteArray>("elsewhere");
        QTest::addColumn<Step>("command");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("chosen");
        const QByteArray gran = "Mum\r\nDad\r\nGran\r\n";
        const Step nothing = [](MainWindow &) {};
        QTest::newRow("Delete") << gran << Step([](MainWindow &w) {
            w.prompter.answers << true;
            w.press(Form1Ui::DeleteButton);
        }) << "Dad\r\nGran\r\n"_ba
                                << QStringList{"Dad", "Gran"} << "";
        QTest::newRow("New") << gran << Step([](MainWindow &w) {
            w.prompter.answers << u"Eve"_s;
            w.button(Form1Ui::NewButton)->click();
        }) << gran + "Eve\r\n"
                             << QStringList{"Mum", "Dad", "Gran", "Eve"} << "Eve";
        QTest::newRow("a list added")
            << gran << nothing << gran << QStringList{"Mum", "Dad", "Gran"} << "Mum";
        // The open list stays offered, so that it can still be saved.
        QTest::newRow("the open list taken out")
            << "Dad\r\n"_ba << nothing << "Dad\r\n"_ba << QStringList{"Dad", "Mum"} << "Mum";
    }
    void catalogueChangedElsewhere()
    {
        QFETCH(QByteArray, elsewhere);
        QFETCH(Step, command);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, names);
        QFETCH(QString, chosen);
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.write("MedLists.dat", elsewhere);
        command(w);
        QCOMPARE(w.bytes("MedLists.dat"), after);
        QTRY_COMPARE(offered(w), names);
        QCOMPARE(w.selector()->currentText(), chosen);
    }

    // Opening a FIFO would wait for ever for a writer.
    void listFileThatIsNoList_data()
    {
        QTest::addColumn<bool>("fifo");
        QTest::newRow("a FIFO") << true;
        QTest::newRow("a folder") << false;
    }
    void listFileThatIsNoList()
    {
        QFETCH(bool, fifo);
        MainWindow w("Mum\r\nPipe\r\n");
        w.write("Mum.dat", windowsFile());
        w.choose(u"Mum"_s);
        const QByteArray pipe = QFile::encodeName(w.path("Pipe.dat"));
        QVERIFY(fifo ? ::mkfifo(pipe, 0600) == 0 : QDir().mkdir(w.path("Pipe.dat")));
        w.choose(u"Pipe"_s);
        QCOMPARE(w.prompter.log, {"warn Pillora: 'Pipe' is not a list file and cannot be opened."});
        QCOMPARE(w.name(), "Pipe");
        QCOMPARE(w.cell(1, 1) + w.list.notes(), "");
        w.prompter.log.clear();
        w.press(Form1Ui::SaveButton);
        QCOMPARE(w.prompter.log, {"warn Pillora: The list \"Pipe\" could not be saved.\n\n'Pipe' "
                                  "is not a list file and cannot be saved."});
        QCOMPARE(QFileInfo(w.path("Pipe.dat")).isDir(), !fifo);
    }

    void unreadableCatalogueAtStart_data() { listFileThatIsNoList_data(); }
    void unreadableCatalogueAtStart()
    {
        QFETCH(bool, fifo);
        MainWindow w;
        const QString catalogue = w.path("MedLists.dat");
        QVERIFY(fifo ? ::mkfifo(QFile::encodeName(catalogue), 0600) == 0 : QDir().mkdir(catalogue));
        w.restart();
        QCOMPARE(w.prompter.log.size(), 1);
        QVERIFY(w.prompter.log[0].startsWith(u"warn Pillora: The catalogue of lists, "_s));
        QVERIFY(w.prompter.log[0].contains(u"MedLists.dat, cannot be read"_s));
        QCOMPARE(w.selector()->count(), 0);
        w.prompter.answers << u"Eve"_s;
        w.button(Form1Ui::NewButton)->click();
        QVERIFY(w.prompter.log.last().startsWith(u"warn Pillora: The new list could not be "
                                                 "created."_s));
        QCOMPARE(QFileInfo(catalogue).isDir(), !fifo);
        QVERIFY(!QFileInfo(catalogue).isFile());
    }
};

QTEST_MAIN(TestSharedLists)
#include "tst_sharedlists.moc"
