// The program started on a data folder as earlier runs, other copies and
// other computers leave it, with the desktop's services played by doubles.

#include "Doubles.h"
#include "Form1.h"
#include "InstanceLock.h"
#include "Program.h"
#include "printing/RecordingPrinter.h"

#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {

struct Start
{
    QTemporaryDir folder;
    DataFolder data{folder.path()};
    // A copy of the program already running on this computer.
    std::optional<InstanceLock> running;
    ScriptedPrompter prompter;
    RecordingPrinter printer;
    TestClock clock;
    RecordingAddressOpener opener;
    TestFileAssociations associations;
};

using Setup = std::function<void(Start &)>;
using Answers = decltype(ScriptedPrompter::answers);

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

    // What the user is told or asked, "<folder>" standing for the data
    // folder, then whether the window opened, who holds the lock and whether
    // a save cut short was cleared: only a copy holding the folder clears
    // them, as another may be saving.
    void startUp_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("log");
        const Setup laptop = [](Start &s) {
            const QDateTime morning(QDate(2026, 11, 30), QTime(8, 0));
            const QByteArray lock = InstanceLock::format({4242, u"laptop"_s, morning});
            QVERIFY(SaveFile::save(s.data.instanceLockPath(), lock));
        };
        const QString question = u"ask Pillora: Pillora on laptop may be using these lists (since "
                                 "30/11/2026 08:00). Two copies can overwrite each other's "
                                 "changes. Open them anyway? [default No]"_s;
        // clang-format off
        QTest::newRow("another computer's lock, kept")
            << laptop << Answers{false} << QStringList{question, "closed, laptop, leftover kept"};
        QTest::newRow("another computer's lock, taken over")
            << laptop << Answers{true} << QStringList{question, "opened, here, leftover cleared"};
        QTest::newRow("already running here") << Setup([](Start &s) {
                s.running.emplace(s.data);
                QCOMPARE(s.running->claim(), InstanceLock::Claim::Claimed);
            }) << Answers() << QStringList{"warn Pillora: Pillora is already running with these medication lists. "
                                           "Please use the window that is open.", "closed, here, leftover kept"};
        QTest::newRow("a folder in the lock's place") << Setup([](Start &s) { QDir().mkdir(s.data.instanceLockPath()); })
            << Answers() << QStringList{"opened, nobody, leftover kept"};
        QTest::newRow("a file in the data folder's place") << Setup([](Start &s) {
                QVERIFY(QDir(s.data.path()).removeRecursively());
                QVERIFY(SaveFile::save(s.data.path(), "not a folder"));
            }) << Answers() << QStringList{"warn Pillora: <folder> exists but is not a folder.\n\nLists cannot be saved.",
                                           "warn Pillora: The catalogue of lists, <folder>/MedLists.dat, cannot be read, "
                                           "so its lists cannot be chosen. It is left as it is until it can be read.",
                                           "opened, nobody, leftover cleared"};
        // clang-format on
    }
    void startUp()
    {
        QFETCH(Setup, setup);
        QFETCH(Answers, answers);
        Start s;
        const QString leftover = s.data.path() + u"/Alice.dat.kUTlff"_s;
        QVERIFY(s.data.EnsureDataFolder());
        QVERIFY(SaveFile::save(leftover, "a list cut short"));
        setup(s);
        s.prompter.answers = answers;
        Program program(s.folder.path(),
                        {s.prompter, s.printer, s.clock, s.opener, s.associations});
        const bool started = program.start();
        QFile lock(s.data.instanceLockPath());
        QString holder =
            lock.open(QIODevice::ReadOnly)
                ? InstanceLock::parse(lock.readAll()).value_or(InstanceLock::Holder()).host
                : u"nobody"_s;
        if (holder == InstanceLock::localHostName())
            holder = u"here"_s;
        QStringList log = s.prompter.log;
        // The system's reason for a failure follows the program's words.
        for (QString &entry : log)
            entry = entry.section(u"\n\n"_s, 0, entry.endsWith(u" saved.") ? 1 : 0)
                        .replace(s.data.path(), u"<folder>"_s);
        log << (started && program.window().isVisible() ? "opened, " : "closed, ") + holder +
                   (QFile::exists(leftover) ? ", leftover kept" : ", leftover cleared");
        QTEST(log, "log");
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
