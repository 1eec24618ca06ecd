#include "Doubles.h"
#include "FolderClaim.h"
#include "InstanceLock.h"
#include "ListStore.h"
#include "storage/TemporaryTrash.h"

#include <QTemporaryDir>

#include <ctime>

using namespace Qt::StringLiterals;

namespace {

const QString Here = u"desk"_s;
const QString Leftover = u"Alice.dat.kUTlff"_s;
const QDateTime Morning(QDate(2026, 11, 30), QTime(8, 0), Qt::UTC);

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

} // namespace

// What stands in the data folder before the program starts.
using Setup = std::function<void(const DataFolder &folder)>;
using Answers = decltype(ScriptedPrompter::answers);

class TestFolderClaim : public QObject
{
    Q_OBJECT

    const TemporaryTrash m_trash;

private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        tzset();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }

    void startUp_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("lockHolder");
        const Setup laptop = [](const DataFolder &folder) {
            write(folder.instanceLockPath(), InstanceLock::format({4242, u"laptop"_s, Morning}));
        };
        const QString question = u"ask Pillora: Pillora on laptop may be using these lists (since "
                                 "30/11/2026 08:00). Two copies can overwrite each other's "
                                 "changes. Open them anyway? [default No]"_s;
        QTest::newRow("a free folder")
            << Setup([](const DataFolder &) {}) << Answers() << QStringList() << true << Here;
        QTest::newRow("another computer's lock, kept")
            << laptop << Answers{false} << QStringList{question} << false << "laptop";
        QTest::newRow("another computer's lock, taken over")
            << laptop << Answers{true} << QStringList{question} << true << Here;
        QTest::newRow("a folder in the lock's place")
            << Setup([](const DataFolder &folder) { QDir().mkdir(folder.instanceLockPath()); })
            << Answers() << QStringList() << true << QString();
    }
    void startUp()
    {
        QFETCH(Setup, setup);
        QFETCH(Answers, answers);
        QFETCH(QStringList, log);
        QFETCH(bool, goesOn);
        QFETCH(QString, lockHolder);
        const QTemporaryDir program;
        const DataFolder folder(program.path());
        QVERIFY(folder.EnsureDataFolder());
        write(folder.path() + u'/' + Leftover, "a list cut short");
        setup(folder);
        const ListStore store(folder);
        InstanceLock lock(folder, Here);
        ScriptedPrompter prompter;
        prompter.answers = answers;
        QCOMPARE(FolderClaim::claim(store, lock, prompter), goesOn);
        QCOMPARE(prompter.log, log);
        QFile file(folder.instanceLockPath());
        const QByteArray held = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        QCOMPARE(InstanceLock::parse(held).value_or(InstanceLock::Holder()).host, lockHolder);
        // Only a copy that holds the folder clears leftovers: another may be saving.
        QCOMPARE(QFile::exists(folder.path() + u'/' + Leftover), !lock.isHeld());
    }

    // A running copy on this computer: the second one is told and stops.
    void secondCopyHere()
    {
        const QTemporaryDir program;
        const DataFolder folder(program.path());
        const ListStore store(folder);
        ScriptedPrompter prompter;
        InstanceLock first(folder, Here);
        QVERIFY(FolderClaim::claim(store, first, prompter));
        InstanceLock second(folder, Here);
        QVERIFY(!FolderClaim::claim(store, second, prompter));
        QCOMPARE(prompter.log, QStringList{"warn Pillora: Pillora is already running with these "
                                           "medication lists. Please use the window that is "
                                           "open."});
    }
};

QTEST_GUILESS_MAIN(TestFolderClaim)
#include "tst_folderclaim.moc"
