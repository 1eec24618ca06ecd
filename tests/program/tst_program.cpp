// The program started on a data folder as earlier runs, other copies and
// other computers leave it, with the desktop's services played by doubles.

#include "Doubles.h"
#include "Form1.h"
#include "InstanceLock.h"
#include "Program.h"
#include "printing/RecordingPrinter.h"

#include <QTemporaryDir>

#include <ctime>

using namespace Qt::StringLiterals;

namespace {

const QString Leftover = u"Alice.dat.kUTlff"_s;
const QDateTime Morning(QDate(2026, 11, 30), QTime(8, 0), Qt::UTC);

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

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

    QString path(const QString &file) const { return data.path() + u'/' + file; }
};

} // namespace

// What stands in the data folder before the program starts.
using Setup = std::function<void(Start &)>;
using Answers = decltype(ScriptedPrompter::answers);

class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        tzset();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }

    // "<folder>" stands for the data folder's path. Only a copy that holds
    // the folder clears what saves cut short: another may be saving.
    void startUp_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<bool>("started");
        QTest::addColumn<QString>("lockHolder");
        QTest::addColumn<bool>("leftoverCleared");
        const QString here = InstanceLock::localHostName();
        const Setup laptop = [](Start &s) {
            write(s.data.instanceLockPath(), InstanceLock::format({4242, u"laptop"_s, Morning}));
        };
        const QString question = u"ask Pillora: Pillora on laptop may be using these lists (since "
                                 "30/11/2026 08:00). Two copies can overwrite each other's "
                                 "changes. Open them anyway? [default No]"_s;
        const QString unreadable = u"warn Pillora: The catalogue of lists, <folder>/MedLists.dat, "
                                   "cannot be read, so its lists cannot be chosen. It is left as it "
                                   "is until it can be read."_s;
        // clang-format off
        QTest::newRow("a free folder")
            << Setup([](Start &) {}) << Answers() << QStringList() << true << here << true;
        QTest::newRow("another computer's lock, kept")
            << laptop << Answers{false} << QStringList{question} << false << "laptop" << false;
        QTest::newRow("another computer's lock, taken over")
            << laptop << Answers{true} << QStringList{question} << true << here << true;
        QTest::newRow("already running here") << Setup([](Start &s) {
                s.running.emplace(s.data);
                QCOMPARE(s.running->claim(), InstanceLock::Claim::Claimed);
            }) << Answers() << QStringList{u"warn Pillora: Pillora is already running with these "
                                           "medication lists. Please use the window that is open."_s}
            << false << here << false;
        QTest::newRow("a folder in the lock's place")
            << Setup([](Start &s) { QDir().mkdir(s.data.instanceLockPath()); })
            << Answers() << QStringList() << true << QString() << false;
        QTest::newRow("a file in the data folder's place") << Setup([](Start &s) {
                QVERIFY(QDir(s.data.path()).removeRecursively());
                write(s.data.path(), "not a folder");
            }) << Answers() << QStringList{u"warn Pillora: <folder> exists but is not a folder."
                                           "\n\nLists cannot be saved."_s, unreadable}
            << true << QString() << true;
        QTest::newRow("a catalogue that cannot be read")
            << Setup([](Start &s) { QDir().mkdir(s.data.cataloguePath()); }) << Answers()
            << QStringList{unreadable} << true << here << true;
        // clang-format on
    }
    void startUp()
    {
        QFETCH(Setup, setup);
        QFETCH(Answers, answers);
        QFETCH(QStringList, log);
        QFETCH(bool, started);
        QFETCH(QString, lockHolder);
        QFETCH(bool, leftoverCleared);
        Start s;
        QVERIFY(s.data.EnsureDataFolder());
        write(s.path(Leftover), "a list cut short");
        setup(s);
        s.prompter.answers = answers;
        {
            Program program(s.folder.path(), {s.prompter, s.printer, s.clock, s.opener,
                                              s.associations});
            QCOMPARE(program.start(), started);
            QCOMPARE(started && program.window().isVisible(), started);
            // The system's reason for a failure follows the program's words.
            for (QString &entry : s.prompter.log)
                entry = entry.section(u"\n\n"_s, 0, entry.endsWith(u" saved.") ? 1 : 0);
            QCOMPARE(s.prompter.log.join(u'\n').replace(s.data.path(), u"<folder>"_s),
                     log.join(u'\n'));
            QFile lock(s.data.instanceLockPath());
            const QByteArray held = lock.open(QIODevice::ReadOnly) ? lock.readAll() : "";
            QCOMPARE(InstanceLock::parse(held).value_or(InstanceLock::Holder()).host, lockHolder);
            QCOMPARE(!QFile::exists(s.path(Leftover)), leftoverCleared);
        }
    }
};

QTEST_MAIN(TestProgram)
#include "tst_program.moc"
