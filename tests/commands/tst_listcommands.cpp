// New, Load, Save, Delete and closing, with the window played by a stand-in
// host and the user by scripted answers.

#include "Doubles.h"
#include "ListCommands.h"
#include "ListCommandsHost.h"
#include "ListHistory.h"
#include "MedicationList.h"
#include "storage/TemporaryTrash.h"

using namespace Qt::StringLiterals;

namespace {

// The window as the list commands see it: the list selector, an edit that
// may still be open in a cell, and what the commands asked it to show,
// written into the log the questions go to, so the order shows.
class StandInHost : public ListCommandsHost
{
public:
    explicit StandInHost(QStringList &log) : m_log(log) {}

    QStringList names;
    int chosen = -1;
    // Committed by the next command that commits.
    std::function<void()> openEdit;

    void commitOpenEdit() override
    {
        if (openEdit)
            std::exchange(openEdit, {})();
    }
    QStringList listNames() const override { return names; }
    QString chosenListName() const override { return names.value(chosen); }
    int chosenListIndex() const override { return chosen; }
    void setListNames(const QStringList &offered, int index) override
    {
        names = offered;
        chosen = index;
    }
    void chooseListIndex(int index) override { chosen = index; }
    void leaveMaximized() override { m_log << u"normal size"_s; }
    void storeWindowGeometry() override { m_log << u"geometry"_s; }
    void showLoadedList(const ListFileReadResult *read) override
    {
        m_log << (read ? u"show read"_s : u"show unread"_s);
    }
    void showEmptyList() override { m_log << u"show empty"_s; }
    void ClearList() override { m_log << u"clear"_s; }

private:
    QStringList &m_log;
};

// Mum's list (Aspirin 5 mg) open and unchanged, with "10 mg" typed into
// its Dosage and not yet committed; Dad's list never saved.
struct Lists
{
    Lists()
    {
        QVERIFY(data.EnsureDataFolder());
        QVERIFY(store.create(u"Mum"_s) && store.create(u"Dad"_s));
        writeMum(u"5 mg"_s);
        commands.followCatalogue(host);
        load(0);
        prompter.log.clear();
        host.openEdit = [this] { history.setCell(1, 2, u"10 mg"_s); };
    }

    void load(int index)
    {
        host.chosen = index;
        commands.LoadList(host);
    }
    // As another program or computer writes Mum's list.
    void writeMum(const QString &dosage) const
    {
        MedicationList other;
        other.setCurrentListName(u"Mum"_s);
        other.setCell(1, 1, u"Aspirin"_s);
        other.setCell(1, 2, dosage);
        QVERIFY(store.save(other));
    }
    QString path(const QString &file) const { return data.path() + u'/' + file; }

    // "open list | selector, * before the chosen name | catalogue | files,
    // each list file with its first Dosage | changed or not", and whether
    // there is a change to undo.
    QString state() const
    {
        QStringList offered;
        for (int i = 0; i < host.names.size(); ++i)
            offered << (i == host.chosen ? u"*"_s : QString()) + host.names[i];
        const std::optional<QStringList> catalogue = store.names();
        const QString names = catalogue ? catalogue->join(u',') : u"unreadable"_s;
        QStringList files;
        for (const QFileInfo &file :
             QDir(data.path())
                 .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                                QDir::Name)) {
            if (file.fileName() == u"MedLists.dat" && file.isFile())
                continue;
            if (file.isSymLink() || !file.isFile()) {
                files << file.fileName() + (file.isDir() ? u"/"_s : u"@"_s);
                continue;
            }
            QFile f(file.filePath());
            MedicationList read;
            if (f.open(QIODevice::ReadOnly))
                ListFileReader::parse(f.readAll(), read);
            files << file.fileName() + u'=' + read.cell(1, 2);
        }
        return QStringList{list.CurrentListName(), offered.join(u','), names, files.join(u','),
                           list.ChangesMade() ? u"changed"_s : u"unchanged"_s}
                   .join(u" | "_s) +
               (history.canUndo() ? QString() : u", no undo"_s);
    }

    QTemporaryDir program;
    DataFolder data{program.path()};
    ListStore store{data};
    MedicationList list;
    ListHistory history{list};
    ScriptedPrompter prompter;
    StandInHost host{prompter.log};
    ListCommands commands{list, store, prompter, history};
};

using Step = std::function<void(Lists &)>;
using Answers = decltype(ScriptedPrompter::answers);

const QString SaveQuestion = u"ask Pillora: Save current medications list?"_s;
const QString NameQuestion = u"input Create a New Medications List: Enter name for this new "
                             "medications list. (e.g. John Smith)"_s;
const QString DeleteMum = u"ask Pillora: Delete Mum med file? [default No]"_s;
const QString MumNotSaved = u"warn Pillora: The list \"Mum\" could not be saved."_s;
const QString DadMissing = u"inform Pillora: The file of the list \"Dad\" is missing, so the list "
                           "is shown empty. A list that was never saved has no file yet."_s;
const QString CloseAnyway =
    u"ask Pillora: The list was not saved. Close Pillora anyway and lose the changes?"_s;
const QString Conflict = u"choose Pillora: 'Mum' was changed by another program since you "
                         "opened it. Replace it with your version? [Keep both|Replace|Cancel]"_s;

const Step New = [](Lists &l) { l.commands.NewList(l.host); };
const Step LoadDad = [](Lists &l) { l.load(1); };
const Step Save = [](Lists &l) { l.commands.SaveList(l.host); };
const Step Delete = [](Lists &l) { l.commands.DeleteList(l.host); };
const Step Close = [](Lists &l) {
    l.prompter.log << (l.commands.mayClose(l.host) ? u"closes"_s : u"stays open"_s);
};
const Step Nothing = [](Lists &) {};
const Step NoEdit = [](Lists &l) { l.host.openEdit = {}; };
const Step SaveFails = [](Lists &l) {
    QVERIFY(QFile::remove(l.path(u"Mum.dat"_s)) && QDir().mkdir(l.path(u"Mum.dat"_s)));
};
const Step ChangedElsewhere = [](Lists &l) { l.writeMum(u"7.5 mg"_s); };
const auto CatalogueHolding = [](const QByteArray &bytes) {
    return Step([bytes](Lists &l) {
        QVERIFY(SaveFile::save(l.data.cataloguePath(), bytes));
        l.commands.followCatalogue(l.host);
    });
};
const auto DadFile = [](const QByteArray &bytes) {
    return Step([bytes](Lists &l) { QVERIFY(SaveFile::save(l.path(u"Dad.dat"_s), bytes)); });
};

} // namespace

class TestListCommands : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // Each command, from Mum's list with an edit still open, which each
    // commits first: the questions asked see it, and a save takes it. The
    // log holds the questions, the messages without the system's reasons,
    // and what the window was asked to show.
    void commands_data()
    {
        QTest::addColumn<Step>("before");
        QTest::addColumn<Step>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QString>("after");
        const QString eve = u"Eve"_s;
        const Choice keepBoth{u"Keep both"_s};
        const Choice replace{u"Replace"_s};
        const Choice cancel{u"Cancel"_s};
        const QString asBefore = u"Mum | *Mum,Dad | Mum,Dad | Mum.dat=5 mg | changed"_s;
        const QString mumSaved = u"Mum | *Mum,Dad | Mum,Dad | Mum.dat=10 mg | unchanged"_s;
        const QString failed = u"Mum | *Mum,Dad | Mum,Dad | Mum.dat/ | changed"_s;
        const auto row = [](const char *name, const Step &before, const Step &command,
                            const Answers &answers, const QStringList &log) {
            return std::ref(QTest::newRow(name) << before << command << answers << log);
        };
        // clang-format off
        row("New, Cancel: nothing asked", Nothing, New, {u""_s}, {NameQuestion}) << asBefore;
        row("New, Yes: saved under the old name first", Nothing, New, {eve, true},
            {NameQuestion, SaveQuestion, u"geometry"_s, u"show empty"_s})
            << "Eve | Mum,Dad,*Eve | Mum,Dad,Eve | Mum.dat=10 mg | unchanged, no undo";
        row("New, No", Nothing, New, {eve, false}, {NameQuestion, SaveQuestion, u"show empty"_s})
            << "Eve | Mum,Dad,*Eve | Mum,Dad,Eve | Mum.dat=5 mg | changed, no undo";
        row("New, the save fails", SaveFails, New, {eve, true},
            {NameQuestion, SaveQuestion, u"geometry"_s, MumNotSaved}) << failed;
        row("New without a change", NoEdit, New, {eve}, {NameQuestion, u"show empty"_s})
            << "Eve | Mum,Dad,*Eve | Mum,Dad,Eve | Mum.dat=5 mg | unchanged, no undo";
        row("New, the catalogue cannot be written",
            [](Lists &l) { QVERIFY(QFile::remove(l.data.cataloguePath()) && QDir().mkdir(l.data.cataloguePath())); },
            New, {eve, false},
            {NameQuestion, SaveQuestion, u"warn Pillora: The new list could not be created."_s})
            << "Mum | *Mum,Dad | unreadable | MedLists.dat/,Mum.dat=5 mg | changed";

        row("New after another computer added Gran", Step([](Lists &l) {
                QVERIFY(SaveFile::save(l.data.cataloguePath(), "Mum\r\nDad\r\nGran\r\n"));
            }), New, {eve, false}, {NameQuestion, SaveQuestion, u"show empty"_s})
            << "Eve | Mum,Dad,Gran,*Eve | Mum,Dad,Gran,Eve | Mum.dat=5 mg | changed, no undo";

        row("Load, Yes: saved under the old name first", Nothing, LoadDad, {true},
            {SaveQuestion, u"geometry"_s, u"normal size"_s, u"clear"_s, u"show unread"_s, DadMissing})
            << "Dad | Mum,*Dad | Mum,Dad | Mum.dat=10 mg | unchanged, no undo";
        row("Load, No: still changed, so closing asks again", Nothing, LoadDad, {false},
            {SaveQuestion, u"normal size"_s, u"clear"_s, u"show unread"_s, DadMissing})
            << "Dad | Mum,*Dad | Mum,Dad | Mum.dat=5 mg | changed, no undo";
        row("Load, the save fails: Mum stays chosen", SaveFails, LoadDad, {true},
            {SaveQuestion, u"geometry"_s, MumNotSaved}) << failed;
        row("Load without a catalogue",
            [](Lists &l) { QVERIFY(QFile::remove(l.data.cataloguePath())); }, LoadDad, {},
            {u"inform Pillora: No Med Lists found."_s})
            << "Mum | Mum,*Dad |  | Mum.dat=5 mg | changed";
        row("Load of a list with a file", NoEdit, [](Lists &l) { l.load(0); }, {},
            {u"normal size"_s, u"show read"_s}) << "Mum | *Mum,Dad | Mum,Dad | Mum.dat=5 mg | unchanged, no undo";
        row("Load of an empty entry: no list open", CatalogueHolding("Mum\r\n\r\n"),
            [](Lists &l) { l.load(1); }, {false}, {SaveQuestion, u"normal size"_s})
            << " | Mum,* | Mum, | Mum.dat=5 mg | changed, no undo";
        row("Load of a file cut short", DadFile("Name\r\n"), LoadDad, {false},
            {SaveQuestion, u"normal size"_s, u"show read"_s,
             u"warn Pillora: The list \"Dad\" could not be read completely and is shown as far as it could be read."_s})
            << "Dad | Mum,*Dad | Mum,Dad | Dad.dat=,Mum.dat=5 mg | changed, no undo";
        // Memory that is not there cannot be read, by root either.
        row("Load of a file that cannot be read: Mum stays",
            [](Lists &l) { QVERIFY(QFile::link(u"/proc/self/mem"_s, l.path(u"Dad.dat"_s))); },
            LoadDad, {false}, {SaveQuestion, u"normal size"_s,
                               u"warn Pillora: The list \"Dad\" could not be read."_s})
            << "Mum | *Mum,Dad | Mum,Dad | Dad.dat@,Mum.dat=5 mg | changed";
        row("Load of a folder", [](Lists &l) { QVERIFY(QDir().mkdir(l.path(u"Dad.dat"_s))); },
            LoadDad, {false}, {SaveQuestion, u"normal size"_s, u"clear"_s, u"show unread"_s,
                               u"warn Pillora: 'Dad' is not a list file and cannot be opened."_s})
            << "Dad | Mum,*Dad | Mum,Dad | Dad.dat/,Mum.dat=5 mg | changed, no undo";
        row("Load of the catalogue's own name", CatalogueHolding("Mum\r\nMedLists\r\n"), LoadDad, {false},
            {SaveQuestion, u"normal size"_s, u"clear"_s, u"show unread"_s,
             u"warn Pillora: The list \"MedLists\" cannot have a file, so it is shown empty and cannot be saved."_s})
            << "MedLists | Mum,*MedLists | Mum,MedLists | Mum.dat=5 mg | changed, no undo";

        row("Save", Nothing, Save, {}, {u"geometry"_s}) << mumSaved;
        row("Save fails", SaveFails, Save, {}, {u"geometry"_s, MumNotSaved}) << failed;
        row("Save, nothing open: no file named .dat",
            [](Lists &l) { l.list.setCurrentListName({}); }, Save, {}, {})
            << " | *Mum,Dad | Mum,Dad | Mum.dat=5 mg | changed";
        row("Save, changed elsewhere: keep both", ChangedElsewhere, Save, {keepBoth},
            {u"geometry"_s, Conflict})
            << "Mum (2) | Mum,Dad,*Mum (2) | Mum,Dad,Mum (2) | Mum (2).dat=10 mg,Mum.dat=7.5 mg | unchanged";
        row("Save, changed elsewhere: replace", ChangedElsewhere, Save, {replace},
            {u"geometry"_s, Conflict}) << mumSaved;
        row("Save, changed elsewhere: cancel", ChangedElsewhere, Save, {cancel},
            {u"geometry"_s, Conflict}) << "Mum | *Mum,Dad | Mum,Dad | Mum.dat=7.5 mg | changed";

        row("Delete, No", Nothing, Delete, {false}, {DeleteMum}) << asBefore;
        row("Delete, Yes: the changes go too", Nothing, Delete, {true}, {DeleteMum, u"show empty"_s})
            << " | Dad | Dad |  | changed, no undo";
        row("Delete after another computer added Gran", Step([](Lists &l) {
                QVERIFY(SaveFile::save(l.data.cataloguePath(), "Mum\r\nDad\r\nGran\r\n"));
            }), Delete, {true}, {DeleteMum, u"show empty"_s})
            << " | Dad,Gran | Dad,Gran |  | changed, no undo";
        row("Delete of a list never saved", [](Lists &l) {
                l.prompter.answers << false;
                l.load(1);
            }, Delete, {true}, {u"ask Pillora: Delete Dad med file? [default No]"_s, u"show empty"_s})
            << " | Mum | Mum | Mum.dat=5 mg | changed, no undo";
        row("Delete of the second of two entries",
            [](Lists &l) { CatalogueHolding("Mum\r\nDad\r\nMum\r\n")(l); l.host.chosen = 2; }, Delete,
            {true}, {DeleteMum, u"show empty"_s}) << " | Mum,Dad | Mum,Dad |  | changed, no undo";
        row("Delete, the catalogue cannot be written",
            [](Lists &l) { QVERIFY(QFile::remove(l.data.cataloguePath()) && QDir().mkdir(l.data.cataloguePath())); },
            Delete, {true}, {DeleteMum, u"warn Pillora: The list \"Mum\" could not be deleted."_s})
            << "Mum | *Mum,Dad | unreadable | MedLists.dat/,Mum.dat=5 mg | changed";

        row("closing without a change", NoEdit, Close, {}, {u"closes"_s})
            << "Mum | *Mum,Dad | Mum,Dad | Mum.dat=5 mg | unchanged, no undo";
        row("closing, Yes", Nothing, Close, {true}, {SaveQuestion, u"geometry"_s, u"closes"_s})
            << mumSaved;
        row("closing, No", Nothing, Close, {false}, {SaveQuestion, u"closes"_s}) << asBefore;
        row("closing, the save fails, staying", SaveFails, Close, {true, false},
            {SaveQuestion, u"geometry"_s, MumNotSaved, CloseAnyway, u"stays open"_s}) << failed;
        row("closing, the save fails, closing anyway", SaveFails, Close, {true, true},
            {SaveQuestion, u"geometry"_s, MumNotSaved, CloseAnyway, u"closes"_s}) << failed;
        row("closing, changed elsewhere: keep both", ChangedElsewhere, Close, {true, keepBoth},
            {SaveQuestion, u"geometry"_s, Conflict, u"closes"_s})
            << "Mum (2) | Mum,Dad,*Mum (2) | Mum,Dad,Mum (2) | Mum (2).dat=10 mg,Mum.dat=7.5 mg | unchanged";
        row("closing, changed elsewhere: cancel", ChangedElsewhere, Close, {true, cancel},
            {SaveQuestion, u"geometry"_s, Conflict, u"stays open"_s})
            << "Mum | *Mum,Dad | Mum,Dad | Mum.dat=7.5 mg | changed";
        // clang-format on
    }
    void commands()
    {
        QFETCH(Step, before);
        QFETCH(Step, command);
        QFETCH(Answers, answers);
        QFETCH(QStringList, log);
        Lists l;
        before(l);
        l.prompter.log.clear();
        l.prompter.answers = answers;
        command(l);
        for (QString &entry : l.prompter.log)
            entry = entry.section(u"\n\n"_s, 0, 0);
        QCOMPARE(l.prompter.log, log);
        QTEST(l.state(), "after");
    }

    // A name that cannot be a list's is explained, then offered again to be
    // corrected; Cancel then leaves everything as it was.
    void newListNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        const QString characters = u"A list name cannot hold any of these characters:\n"
                                   "\\ / : * ? \" < > |"_s;
        const QString ending = u"A list name cannot end in a space or a dot."_s;
        QTest::newRow("spaces only") << "   "
                                     << "A list name needs more than spaces.";
        for (QChar c : u"\\/:*?\"<>|\t\x7f"_s)
            QTest::addRow("holding U+%04X", c.unicode())
                << QStringLiteral("a%1b").arg(c) << characters;
        QTest::newRow("trailing space") << "Dad " << ending;
        QTest::newRow("trailing dot") << "Dad." << ending;
        QTest::newRow("same name in another case") << "mUM"
                                                   << "There is already a list named \"mUM\".";
        QTest::newRow("outside windows-1252") << "Ωmega"
                                              << "A list name cannot hold \"Ω\".";
        QTest::newRow("file name over 255 bytes")
            << QString(126, u'é') << "That list name is too long.";
        QTest::newRow("the catalogue's name in another case")
            << "mEDlISTS"
            << "\"mEDlISTS\" cannot name a list: the program keeps a file of that name for "
               "itself.";
    }
    void newListNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, refusal);
        Lists l;
        l.host.openEdit = {};
        l.prompter.answers << name << u"Tom and Jerry"_s;
        l.commands.NewList(l.host);
        l.prompter.answers << name << u""_s;
        l.commands.NewList(l.host);
        const QStringList once{NameQuestion, "warn Pillora: " + refusal,
                               NameQuestion + " [" + name + "]"};
        QCOMPARE(l.prompter.log, once + QStringList{u"show empty"_s} + once);
        QCOMPARE(l.state(), u"Tom and Jerry | Mum,Dad,*Tom and Jerry | Mum,Dad,Tom and Jerry | "
                            "Mum.dat=5 mg | unchanged, no undo"_s);
    }

    // The question about Mum is asked with Mum in the selector, whatever
    // was chosen; afterwards the selector shows what is open.
    void selectorWhileAsking()
    {
        Lists l;
        QStringList shown;
        l.prompter.whileAsking = [&] { shown << l.host.chosenListName(); };
        l.prompter.answers << false;
        l.load(1);
        QCOMPARE(shown, QStringList{u"Mum"_s});
        QCOMPARE(l.host.chosenListName(), u"Dad"_s);
    }

    // Another computer changed the catalogue: the selector follows, the open
    // list stays offered so that it can be saved, and a catalogue that
    // cannot be read is reported once, when it becomes so. While a command
    // asks, the selector waits for its end.
    void catalogueChangedElsewhere()
    {
        Lists l;
        QVERIFY(SaveFile::save(l.data.cataloguePath(), "Dad\r\nGran\r\n"));
        l.commands.followCatalogue(l.host);
        QCOMPARE(l.host.names, QStringList({"Dad", "Gran", "Mum"}));
        QCOMPARE(l.host.chosenListName(), u"Mum"_s);
        QVERIFY(QFile::remove(l.data.cataloguePath()) && QDir().mkdir(l.data.cataloguePath()));
        l.commands.followCatalogue(l.host);
        l.commands.followCatalogue(l.host);
        QCOMPARE(l.prompter.log.size(), 1);
        QVERIFY(l.prompter.log[0].startsWith(u"warn Pillora: The catalogue of lists, "_s));
        QCOMPARE(l.host.names, QStringList({"Dad", "Gran", "Mum"}));
        QVERIFY(QDir().rmdir(l.data.cataloguePath()));
        QVERIFY(SaveFile::save(l.data.cataloguePath(), "Gran\r\n"));
        l.prompter.whileAsking = [&] {
            l.commands.followCatalogue(l.host);
            QCOMPARE(l.host.names, QStringList({"Dad", "Gran", "Mum"}));
        };
        l.prompter.answers << false;
        l.commands.DeleteList(l.host);
        QCOMPARE(l.host.names, QStringList({"Gran", "Mum"}));
    }
};

QTEST_GUILESS_MAIN(TestListCommands)
#include "tst_listcommands.moc"
