// The data folder claimed at start, the list commands and the catalogue
// followed, with the window played by a stand-in and the user by answers.

#include "Doubles.h"
#include "FolderClaim.h"
#include "InstanceLock.h"
#include "ListCommands.h"
#include "ListCommandsHost.h"
#include "ListHistory.h"
#include "MedicationList.h"
#include "storage/TemporaryTrash.h"

using namespace Qt::StringLiterals;

namespace {

// Mum's list (Aspirin 5 mg) open, with "10 mg" typed into its Dosage and not committed; Dad's
// never saved. As the window, it holds the selector and logs what it is asked to show.
struct Lists : ListCommandsHost
{
    Lists()
    {
        QVERIFY(data.EnsureDataFolder());
        QVERIFY(store.create(u"Mum"_s) && store.create(u"Dad"_s));
        writeMum(u"5 mg"_s);
        commands.followCatalogue(*this);
        chosen = 0;
        commands.LoadList(*this);
        prompter.log.clear();
        openEdit = [this] { history.setCell(1, 2, u"10 mg"_s); };
    }

    void commitOpenEdit() override
    {
        std::exchange(openEdit, [] {})();
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
    void leaveMaximized() override { prompter.log << u"normal size"_s; }
    void storeWindowGeometry() override { prompter.log << u"geometry"_s; }
    void showLoadedList(const ListFileReadResult *read) override
    {
        prompter.log << (read ? u"show read"_s : u"show unread"_s);
    }
    void showEmptyList() override { prompter.log << u"show empty"_s; }
    void ClearList() override { prompter.log << u"clear"_s; }

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

    // "open list | selector, * before the chosen name | catalogue | each
    // file with its first Dosage | changed or not", and ", no undo".
    QString state() const
    {
        QStringList offered, files;
        for (int i = 0; i < names.size(); ++i)
            offered << (i == chosen ? u"*"_s : QString()) + names[i];
        const auto entries = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System;
        for (const QFileInfo &file : QDir(data.path()).entryInfoList(entries, QDir::Name)) {
            QFile f(file.filePath());
            MedicationList read;
            if (file.isFile() && !file.isSymLink() && f.open(QIODevice::ReadOnly))
                ListFileReader::parse(f.readAll(), read);
            if (file.fileName() != u"MedLists.dat")
                files << file.fileName() + u'=' + read.cell(1, 2);
        }
        return QStringList{list.CurrentListName(), offered.join(u','),
                           store.names().value_or(QStringList{u"unreadable"_s}).join(u','),
                           files.join(u','), list.ChangesMade() ? u"changed"_s : u"unchanged"_s}
                   .join(u" | "_s) +
               (history.canUndo() ? QString() : u", no undo"_s);
    }

    QStringList names;
    int chosen = -1;
    std::function<void()> openEdit = [] {};
    QTemporaryDir program;
    DataFolder data{program.path()};
    // Held by a copy of the program running on this computer.
    std::optional<InstanceLock> running;
    ListStore store{data};
    MedicationList list;
    ListHistory history{list};
    ScriptedPrompter prompter;
    ListCommands commands{list, store, prompter, history};
};

using Step = std::function<void(Lists &)>;
using Answers = decltype(ScriptedPrompter::answers);

// The questions and messages many rows hold, by a short name.
const QMap<QString, QString> Said{
    {"name?", "input Create a New Medications List: Enter name for this new medications list. "
              "(e.g. John Smith)"},
    {"save?", "ask Pillora: Save current medications list?"},
    {"delete Mum?", "ask Pillora: Delete Mum med file? [default No]"},
    {"Mum not saved", "warn Pillora: The list \"Mum\" could not be saved."},
    {"close anyway?", "ask Pillora: The list was not saved. Close Pillora anyway and lose the "
                      "changes?"},
    {"lock?",
     "ask Pillora: Pillora on laptop may be using these lists (since 30/11/2026 08:00). Two "
     "copies can overwrite each other's changes. Open them anyway? [default No]"},
    {"changed elsewhere?", "choose Pillora: 'Mum' was changed by another program since you "
                           "opened it. Replace it with your version? [Keep both|Replace|Cancel]"},
};

const Step LaptopLock = [](Lists &l) {
    const QDateTime morning(QDate(2026, 11, 30), QTime(8, 0));
    QVERIFY(SaveFile::save(l.data.instanceLockPath(),
                           InstanceLock::format({4242, u"laptop"_s, morning})));
};
// Beside a save cut short, which only a copy that holds the folder may clear:
// another copy may be saving. The lock, and its file, live as long as the step.
const Step Claim = [](Lists &l) {
    SaveFile::save(l.path(u"Mum.dat.kUTlff"_s), "cut short");
    InstanceLock lock(l.data);
    l.prompter.log << (FolderClaim::claim(l.store, lock, l.prompter) ? u"go on"_s : u"end"_s);
};
const Step New = [](Lists &l) { l.commands.NewList(l); };
const Step LoadDad = [](Lists &l) {
    l.chosen = 1;
    l.commands.LoadList(l);
};
const Step Save = [](Lists &l) { l.commands.SaveList(l); };
const Step Delete = [](Lists &l) { l.commands.DeleteList(l); };
const Step Close = [](Lists &l) {
    l.prompter.log << (l.commands.mayClose(l) ? u"closes"_s : u"stays open"_s);
};
const Step Follow = [](Lists &l) { l.commands.followCatalogue(l); };
const Step Nothing = [](Lists &) {};
const Step SaveFails = [](Lists &l) {
    QVERIFY(QFile::remove(l.path(u"Mum.dat"_s)) && QDir().mkdir(l.path(u"Mum.dat"_s)));
};
const Step NoCatalogue = [](Lists &l) {
    QVERIFY(QFile::remove(l.data.cataloguePath()) && QDir().mkdir(l.data.cataloguePath()));
};
const Step ChangedElsewhere = [](Lists &l) { l.writeMum(u"7.5 mg"_s); };
// Another computer adds Gran to the catalogue; it is not yet followed.
const Step GranAdded = [](Lists &l) {
    QVERIFY(SaveFile::save(l.data.cataloguePath(), "Mum\r\nDad\r\nGran\r\n"));
};

} // namespace

class TestListCommands : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // Each command, from Mum's list with an edit still open, which a command commits first. The
    // log holds the questions, the messages without the system's reasons and what the window was
    // asked to show, joined by " / ". While a question is asked, the selector shows the open list.
    void commands_data()
    {
        QTest::addColumn<Step>("before");
        QTest::addColumn<Step>("command");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QString>("log");
        QTest::addColumn<QString>("after");
        const Choice keepBoth{u"Keep both"_s}, replace{u"Replace"_s}, cancel{u"Cancel"_s};
        const QString saved = u"Mum | *Mum,Dad | Mum,Dad | Mum.dat=10 mg | unchanged"_s;
        const QString failed = u"Mum | *Mum,Dad | Mum,Dad | Mum.dat= | changed"_s;
        const QString cancelled = u"Mum | *Mum,Dad | Mum,Dad | Mum.dat=7.5 mg | changed"_s;
        const auto row = [](const char *name, const Step &before, const Step &command,
                            const Answers &answers, const char *log) {
            return std::ref(QTest::newRow(name) << before << command << answers << log);
        };
        const QString unchanged = u"Mum | *Mum,Dad | Mum,Dad | Mum.dat=5 mg | unchanged, no undo"_s;
        const QString leftover =
            u"Mum | *Mum,Dad | Mum,Dad | Mum.dat=5 mg,Mum.dat.kUTlff=,Pillora.lock= | unchanged, no undo"_s;
        // clang-format off
        row("start, another computer's lock: kept", LaptopLock, Claim, {false}, "lock? / end") << leftover;
        row("start, another computer's lock: taken over", LaptopLock, Claim, {true}, "lock? / go on") << unchanged;
        row("start, a copy running here", [](Lists &l) { QCOMPARE(l.running.emplace(l.data).claim(), InstanceLock::Claim::Claimed); },
            Claim, {}, "warn Pillora: Pillora is already running with these medication lists. Please use the window "
            "that is open. / end") << leftover;
        row("start, a folder in the lock's place", [](Lists &l) { QVERIFY(QDir().mkdir(l.data.instanceLockPath())); },
            Claim, {}, "go on") << leftover;
        row("start, a file in the data folder's place", [](Lists &l) {
                QVERIFY(QDir(l.data.path()).removeRecursively() && SaveFile::save(l.data.path(), "not a folder"));
            }, Claim, {}, "warn Pillora: <folder> exists but is not a folder.\n\nLists cannot be saved. / go on")
            << "Mum | *Mum,Dad | unreadable |  | unchanged, no undo";

        row("New, Yes: saved first", Nothing, New, {u"Eve"_s, true}, "name? / save? / geometry / show empty")
            << "Eve | Mum,Dad,*Eve | Mum,Dad,Eve | Mum.dat=10 mg | unchanged, no undo";
        row("New, the catalogue cannot be written", NoCatalogue, New, {u"Eve"_s, false},
            "name? / save? / warn Pillora: The new list could not be created.")
            << "Mum | *Mum,Dad | unreadable | Mum.dat=5 mg | changed";
        row("New after another computer added Gran: her name refused, then asked again", GranAdded, New,
            {u"gran"_s, u"Eve"_s, false}, "name? / warn Pillora: There is already a list named \"gran\". / name? [gran] / "
            "save? / show empty")
            << "Eve | Mum,Dad,Gran,*Eve | Mum,Dad,Gran,Eve | Mum.dat=5 mg | changed, no undo";

        row("Load, No: still changed", Nothing, LoadDad, {false}, "save? / normal size / clear / show unread / inform "
            "Pillora: The file of the list \"Dad\" is missing, so the list is shown empty. A list that was never saved "
            "has no file yet.") << "Dad | Mum,*Dad | Mum,Dad | Mum.dat=5 mg | changed, no undo";
        row("Load, the save fails: Mum stays", SaveFails, LoadDad, {true}, "save? / geometry / Mum not saved") << failed;
        row("Load, changed elsewhere: cancel", ChangedElsewhere, LoadDad, {true, cancel},
            "save? / geometry / changed elsewhere?") << cancelled;
        row("Load without a catalogue", [](Lists &l) { QVERIFY(QFile::remove(l.data.cataloguePath())); }, LoadDad, {},
            "inform Pillora: No Med Lists found.") << "Mum | Mum,*Dad |  | Mum.dat=5 mg | changed";
        row("Load of a file that cannot be read: Mum stays",
            [](Lists &l) { QVERIFY(QFile::link(u"/proc/self/mem"_s, l.path(u"Dad.dat"_s))); }, LoadDad, {false},
            "save? / normal size / warn Pillora: The list \"Dad\" could not be read.")
            << "Mum | *Mum,Dad | Mum,Dad | Dad.dat=,Mum.dat=5 mg | changed";
        row("Load of a folder", [](Lists &l) { QVERIFY(QDir().mkdir(l.path(u"Dad.dat"_s))); }, LoadDad, {false},
            "save? / normal size / clear / show unread / warn Pillora: 'Dad' is not a list file and cannot be opened.")
            << "Dad | Mum,*Dad | Mum,Dad | Dad.dat=,Mum.dat=5 mg | changed, no undo";

        row("Save", Nothing, Save, {}, "geometry") << saved;
        row("Save, changed elsewhere: keep both, then closing: nothing to ask", ChangedElsewhere, [](Lists &l) { Save(l); Close(l); },
            {keepBoth}, "geometry / changed elsewhere? / closes")
            << "Mum (2) | Mum,Dad,*Mum (2) | Mum,Dad,Mum (2) | Mum (2).dat=10 mg,Mum.dat=7.5 mg | unchanged";
        row("Save, changed elsewhere: replace", ChangedElsewhere, Save, {replace}, "geometry / changed elsewhere?") << saved;
        row("Save, changed elsewhere: cancel", ChangedElsewhere, Save, {cancel}, "geometry / changed elsewhere?") << cancelled;

        row("Delete of the second of two entries", [](Lists &l) {
                QVERIFY(SaveFile::save(l.data.cataloguePath(), "Mum\r\nDad\r\nMum\r\n"));
                Follow(l);
                l.chosen = 2;
            }, Delete, {true}, "delete Mum? / show empty") << " | Mum,Dad | Mum,Dad |  | changed, no undo";
        row("Delete after another computer added Gran, then Save: nothing to save", GranAdded,
            [](Lists &l) { Delete(l); Save(l); }, {true}, "delete Mum? / show empty")
            << " | Dad,Gran | Dad,Gran |  | changed, no undo";
        row("Delete, the catalogue cannot be written", NoCatalogue, Delete, {true},
            "delete Mum? / warn Pillora: The list \"Mum\" could not be deleted.")
            << "Mum | *Mum,Dad | unreadable | Mum.dat=5 mg | changed";

        row("closing, the save fails, staying", SaveFails, Close, {true, false},
            "save? / geometry / Mum not saved / close anyway? / stays open") << failed;
        row("closing, the save fails, closing anyway", SaveFails, Close, {true, true},
            "save? / geometry / Mum not saved / close anyway? / closes") << failed;
        row("closing, changed elsewhere: cancel", ChangedElsewhere, Close, {true, cancel},
            "save? / geometry / changed elsewhere? / stays open") << cancelled;

        // Another computer changes the catalogue: the open list stays offered so that it can be
        // saved, a catalogue that cannot be read is told once, and a question waits for its end.
        row("the catalogue followed", [](Lists &l) { QVERIFY(SaveFile::save(l.data.cataloguePath(), "Dad\r\nGran\r\n")); },
            Follow, {}, "") << "Mum | Dad,Gran,*Mum | Dad,Gran | Mum.dat=5 mg | unchanged, no undo";
        row("the catalogue cannot be read", NoCatalogue, [](Lists &l) { Follow(l); Follow(l); }, {},
            "warn Pillora: The catalogue of lists, <folder>/MedLists.dat, cannot be read, so its lists cannot "
            "be chosen. It is left as it is until it can be read.")
            << "Mum | *Mum,Dad | unreadable | Mum.dat=5 mg | unchanged, no undo";
        row("the catalogue changed while asked", Nothing, [](Lists &l) {
                l.prompter.whileAsking = [&l] { GranAdded(l); Follow(l); l.prompter.log << l.names.join(u','); };
                Delete(l);
            }, {false}, "delete Mum? / Mum,Dad") << "Mum | *Mum,Dad,Gran | Mum,Dad,Gran | Mum.dat=5 mg | changed";
        // clang-format on
    }
    void commands()
    {
        QFETCH(Step, before);
        QFETCH(Step, command);
        QFETCH(Answers, answers);
        QFETCH(QString, log);
        Lists l;
        before(l);
        l.prompter.log.clear();
        l.prompter.answers = answers;
        l.prompter.whileAsking = [&l] { QCOMPARE(l.chosenListName(), l.list.CurrentListName()); };
        command(l);
        QStringList expected;
        for (const QString &entry : log.split(u" / "_s, Qt::SkipEmptyParts)) {
            const QString question = entry.section(u" ["_s, 0, 0); // and what its box holds
            expected << Said.value(question, question) + entry.mid(question.size());
        }
        for (QString &entry : l.prompter.log)
            entry = entry.section(u"\n\n"_s, 0, entry.endsWith(u"Lists cannot be saved.") ? 1 : 0)
                        .replace(l.data.path(), u"<folder>"_s);
        QCOMPARE(l.prompter.log, expected);
        QTEST(l.state(), "after");
    }

    // The names New refuses, and why; it then asks again (see above).
    void refusedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("refusal");
        // clang-format off
        QTest::newRow("spaces only") << "   " << "A list name needs more than spaces.";
        for (QChar c : u"\\/:*?\"<>|\t\x7f"_s)
            QTest::addRow("holding U+%04X", c.unicode()) << QStringLiteral("a%1b").arg(c)
                << "A list name cannot hold any of these characters:\n\\ / : * ? \" < > |";
        QTest::newRow("trailing dot") << "Dad." << "A list name cannot end in a space or a dot.";
        QTest::newRow("same name in another case") << "mUM" << "There is already a list named \"mUM\".";
        QTest::newRow("outside windows-1252") << "Ωmega" << "A list name cannot hold \"Ω\".";
        QTest::newRow("file name over 255 bytes") << QString(126, u'é') << "That list name is too long.";
        QTest::newRow("the catalogue's name in another case") << "mEDlISTS"
            << "\"mEDlISTS\" cannot name a list: the program keeps a file of that name for itself.";
        // clang-format on
    }
    void refusedNames()
    {
        QFETCH(QString, name);
        QTEST(ListStore::refusalForNewName(name, {u"Mum"_s}), "refusal");
    }
};

QTEST_GUILESS_MAIN(TestListCommands)
#include "tst_listcommands.moc"
