// The data folder as the program, a sync tool, a text editor or a second
// computer leave it: changed files, odd things in a file's place, failed
// saves, leftovers and locks.

#include "InstanceLock.h"
#include "ListStore.h"
#include "MedicationList.h"
#include "TemporaryTrash.h"

#include <QTest>

#include <csignal>
#include <cstdio>

#include <sys/resource.h>
#include <sys/stat.h>

using namespace Qt::StringLiterals;
using Outcome = ListStore::LoadResult::Outcome;
using Claim = InstanceLock::Claim;

namespace {

// Opening a FIFO would wait for a writer, so only regular files are read.
QByteArray contentOf(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return "<no file>"_ba;
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>"_ba;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

const QString Here = u"desk"_s;

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestStorage : public QObject
{
    Q_OBJECT

    // Lists removed by the tests go to a trash of their own.
    const TemporaryTrash m_trash;
    // Each test's own program folder, with its data folder made.
    std::optional<QTemporaryDir> m_program;
    DataFolder m_folder{QString()};

    QString path(const QString &file) const { return m_folder.path() + u'/' + file; }
    QString outside() const { return m_program->filePath(u"somefile"_s); }

private slots:
    void init()
    {
        m_program.emplace();
        m_folder = DataFolder(m_program->path());
        QVERIFY(m_folder.EnsureDataFolder());
        write(outside(), "not a list");
    }

    // Lines already there are kept byte for byte, however they end; a name
    // the file could not give back as it was is refused and changes nothing.
    void catalogue_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("names");
        const QByteArray edited = "Mum\r\nDad\r Gran \n\nAl"_ba;
        QTest::newRow("no catalogue yet")
            << QByteArray() << u"José"_s << "Jos\xe9\r\n"_ba << QStringList{"José"};
        QTest::newRow("edited by hand") << edited << u"Eve"_s << edited + "\r\nEve\r\n"
                                        << QStringList{"Mum", "Dad", " Gran ", "", "Al", "Eve"};
        QTest::newRow("emoji refused")
            << "Mum\r\n"_ba << u"Dad 😀"_s << "Mum\r\n"_ba << QStringList{"Mum"};
        QTest::newRow("line break refused")
            << "Mum\r\n"_ba << u"a\r\nb"_s << "Mum\r\n"_ba << QStringList{"Mum"};
    }
    void catalogue()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, added);
        QFETCH(QByteArray, after);
        const Catalogue catalogue = m_folder.catalogue();
        if (!before.isNull())
            write(catalogue.filePath(), before);
        const SaveResult result = catalogue.append(added);
        QCOMPARE(result.error.isEmpty(), result.ok);
        QCOMPARE(contentOf(catalogue.filePath()), after);
        QTEST(catalogue.read().value_or(QStringList{"<unreadable>"}), "names");
    }

    // Opening a FIFO would wait for a writer: start-up would hang.
    void fifoAsCatalogue()
    {
        QVERIFY(::mkfifo(QFile::encodeName(m_folder.cataloguePath()), 0600) == 0);
        QString error;
        QVERIFY(!m_folder.catalogue().read(&error) && !error.isEmpty());
        QVERIFY(!m_folder.catalogue().append(u"Eve"_s));
    }

    // A catalogue edited by hand may name anything; no name may lead the
    // store out of its folder or onto a file the program keeps for itself.
    void listNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("spaces and dots") << u" Aunt May. "_s << true;
        QTest::newRow("parent folder") << u"../x"_s << false;
        QTest::newRow("the catalogue in another case") << u"medLISTS"_s << false;
    }
    void listNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        write(m_program->filePath(u"x.dat"_s), "not a list");
        const ListStore store(m_folder);
        MedicationList list;
        list.setCurrentListName(name);
        list.setChangesMade(true);
        QCOMPARE(bool(store.save(list)), accepted);
        QCOMPARE(list.ChangesMade(), !accepted);
        QCOMPARE(store.load(name, list).outcome == Outcome::Read, accepted);
        QVERIFY(store.remove(name, 0));
        QCOMPARE(contentOf(m_program->filePath(u"x.dat"_s)), "not a list"_ba);
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList());
    }

    // For any user, root too. The list is still to be saved, and the folder
    // holds what it held.
    void failedSaveKeepsWhatWasThere_data()
    {
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<int>("notesLength");
        // A file smaller than the write buffer reaches the disk on the last
        // flush, where closing alone would not notice the failure.
        QTest::newRow("disk full on the last flush") << true << 0;
        QTest::newRow("disk full while writing") << true << 40000;
        QTest::newRow("a folder where the file should be") << false << 0;
    }
    void failedSaveKeepsWhatWasThere()
    {
        QFETCH(bool, diskFull);
        QFETCH(int, notesLength);
        const QString file = path(u"Kim.dat"_s);
        write(file, "old");
        if (!diskFull)
            QVERIFY(QFile::remove(file) && QDir().mkdir(file));
        const QStringList entries =
            QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::Hidden);
        const QByteArray old = contentOf(file);
        MedicationList list;
        list.setCurrentListName(u"Kim"_s);
        list.setNotes(QString(notesLength, u'x'));
        list.setChangesMade(true);
        SaveResult result;
        {
            // Past the limit, writing fails with EFBIG instead of ending the process.
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit old{};
            getrlimit(RLIMIT_FSIZE, &old);
            const rlimit full{512, old.rlim_max};
            QVERIFY(!diskFull || setrlimit(RLIMIT_FSIZE, &full) == 0);
            result = ListStore(m_folder).save(list);
            setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
        }
        QVERIFY2(!result && !result.error.contains(u"Unknown error"_s), qPrintable(result.error));
        QVERIFY(!result.error.isEmpty() && list.ChangesMade());
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::Hidden), entries);
        QCOMPARE(contentOf(file), old);
    }

    // Where there is no trash, the file goes for good; the working folder,
    // where Qt would make a trash of its own, stays empty.
    void deletedListGoesToTheTrash_data()
    {
        QTest::addColumn<bool>("trash");
        QTest::addColumn<QStringList>("trashed");
        QTest::newRow("a desktop with a trash") << true << QStringList{"Kim.dat"};
        QTest::newRow("no trash") << false << QStringList();
    }
    void deletedListGoesToTheTrash()
    {
        QFETCH(bool, trash);
        const TemporaryTrash desktop(trash);
        const ListStore store(m_folder);
        QVERIFY(store.create(u"Kim"_s) && store.create(u"Lee"_s));
        MedicationList list;
        list.setCurrentListName(u"Kim"_s);
        QVERIFY(store.save(list) && store.remove(u"Kim"_s, 0));
        QCOMPARE(contentOf(m_folder.cataloguePath()), "Lee\r\n"_ba);
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList{"MedLists.dat"});
        QTEST(QDir(desktop.filesFolder()).entryList(QDir::Files), "trashed");
        QCOMPARE(QDir(desktop.workingFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        // The last list gone leaves an empty catalogue, not none.
        QVERIFY(store.remove(u"Lee"_s, 0));
        QCOMPARE(contentOf(m_folder.cataloguePath()), ""_ba);
    }

    // Sync tools carry the other computer's time, and a change may keep the
    // size: only the bytes tell. A file gone since loses nothing.
    void changedOnDisk()
    {
        const QString file = path(u"Kim.dat"_s);
        const ListStore store(m_folder);
        MedicationList list;
        list.setCurrentListName(u"Kim"_s);
        list.setCell(1, MedicationList::NameColumn, u"Aspirin"_s);
        write(file, "made where there was none");
        QVERIFY(store.changedOnDisk(list));
        QVERIFY(store.save(list) && !store.changedOnDisk(list));
        const QDateTime time = QFileInfo(file).lastModified();
        write(file, contentOf(file).replace("Aspirin", "Aspirim"));
        QFile touched(file);
        QVERIFY(touched.open(QIODevice::ReadWrite) &&
                touched.setFileTime(time, QFileDevice::FileModificationTime));
        QVERIFY(store.changedOnDisk(list));
        QCOMPARE(store.load(u"Kim"_s, list).outcome, Outcome::Read);
        QVERIFY(!store.changedOnDisk(list));
        QVERIFY(QFile::remove(file) && !store.changedOnDisk(list));
    }

    // Loading may read what a link leads to; saving never writes outside the
    // folder, and removing a list never removes what its link leads to. No
    // link stands for a FIFO.
    void whatStandsInTheFilesPlace_data()
    {
        QTest::addColumn<QString>("linkTo");
        QTest::addColumn<Outcome>("loaded");
        QTest::addColumn<QString>("saveRefusal");
        const QString outside = u"'Kim' is a link to a file outside the list folder and is not "
                                "overwritten."_s;
        QTest::newRow("a FIFO") << QString() << Outcome::NotAListFile
                                << u"'Kim' is not a list file and cannot be saved."_s;
        QTest::newRow("a link within the folder") << "MedFiles/Real.dat" << Outcome::Read << "";
        QTest::newRow("a link to a file outside") << "somefile" << Outcome::Read << outside;
        QTest::newRow("a link to nothing outside") << "nothing" << Outcome::NoFile << outside;
    }
    void whatStandsInTheFilesPlace()
    {
        QFETCH(QString, linkTo);
        QFETCH(QString, saveRefusal);
        const QString file = path(u"Kim.dat"_s);
        const ListStore store(m_folder);
        QVERIFY(store.create(u"Kim"_s));
        write(path(u"Real.dat"_s), "Aspirin");
        if (linkTo.isEmpty())
            QVERIFY(::mkfifo(QFile::encodeName(file), 0600) == 0);
        else
            QVERIFY(QFile::link(m_program->filePath(linkTo), file));
        MedicationList list;
        QTEST(store.load(u"Kim"_s, list).outcome, "loaded");
        list.setCurrentListName(u"Kim"_s);
        list.setCell(1, MedicationList::NameColumn, u"Warfarin"_s);
        const SaveResult saved = store.save(list);
        QCOMPARE(saved.error, saveRefusal);
        QCOMPARE(QFileInfo(file).isSymLink(), !linkTo.isEmpty());
        QCOMPARE(contentOf(file).contains("Warfarin"), saved.ok);
        QVERIFY(store.remove(u"Kim"_s, 0));
        QCOMPARE(contentOf(outside()), "not a list"_ba);
        QVERIFY(!QFile::exists(m_program->filePath(u"nothing"_s)));
        QCOMPARE(QFileInfo(file).exists() || QFileInfo(file).isSymLink(), linkTo.isEmpty());
    }

    // MedFiles itself may be a link to a synced folder.
    void linkedDataFolder()
    {
        QDir(m_folder.path()).removeRecursively();
        QVERIFY(QDir().mkdir(m_program->filePath(u"Synced"_s)));
        QVERIFY(QFile::link(m_program->filePath(u"Synced"_s), m_folder.path()));
        const ListStore store(m_folder);
        MedicationList list;
        list.setCurrentListName(u"Kim"_s);
        QVERIFY(store.create(u"Kim"_s) && store.save(list) && !store.changedOnDisk(list));
        QCOMPARE(store.load(u"Kim"_s, list).outcome, Outcome::Read);
        QVERIFY(QFile::exists(m_program->filePath(u"Synced/Kim.dat"_s)));
        QVERIFY(store.remove(u"Kim"_s, 0));
        QVERIFY(!QFile::exists(m_program->filePath(u"Synced/Kim.dat"_s)));
    }

    void nameForCopy_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("copy");
        QTest::newRow("second copy") << "Alice\r\nalice (2)\r\n"_ba << u"Alice"_s << u"Alice (3)"_s;
        QTest::newRow("a file without an entry") << "Bob\r\n"_ba << u"Bob"_s << u"Bob (3)"_s;
        QTest::newRow("too long for any copy") << ""_ba << QString(124, u'é') << QString();
    }
    void nameForCopy()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, name);
        write(m_folder.cataloguePath(), catalogue);
        write(path(u"Bob (2).dat"_s), "from elsewhere");
        QTEST(ListStore(m_folder).nameForCopy(name), "copy");
    }

    // Only what a save cut short leaves: six random letters of both cases,
    // in a regular file.
    void leftoverSaves()
    {
        const QStringList kept{"Alice.dat",        "Alice.dat.BACKUP", "Alice.dat.Backup",
                               "Alice.dat.backup", "Alice.dat.kUTlf",  "Alice.txt.kUTlff"};
        for (const QString &name : kept + QStringList{"Alice.dat.kUTlff", "x.dat.hQbHmc"})
            write(path(name), "a list");
        QVERIFY(QDir().mkdir(path(u"Folder.dat.kUTlff"_s)));
        QVERIFY(QFile::link(outside(), path(u"Link.dat.kUTlff"_s)));
        QCOMPARE(ListStore(m_folder).removeLeftoverSaves(), 2);
        const QStringList left = kept + QStringList{"Folder.dat.kUTlff", "Link.dat.kUTlff"};
        QCOMPARE(
            QDir(m_folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name),
            left);
        QCOMPARE(contentOf(outside()), "not a list"_ba);
    }

    // A lock file that no running copy holds is taken over without a word,
    // and removed by the copy that took it when it ends.
    void lockLeftBehind_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty, from a power cut") << QByteArray();
        QTest::newRow("left here by a copy that is gone")
            << InstanceLock::format({999999, Here, {}});
    }
    void lockLeftBehind()
    {
        QFETCH(QByteArray, bytes);
        write(m_folder.instanceLockPath(), bytes);
        {
            InstanceLock lock(m_folder, Here);
            QCOMPARE(lock.claim(), Claim::Claimed);
            QCOMPARE(InstanceLock(m_folder, Here).claim(), Claim::HeldHere);
        }
        QVERIFY(!QFileInfo::exists(m_folder.instanceLockPath()));
    }

    // Another computer's copy put its lock in place of this one's: ending
    // this copy leaves it.
    void lockTakenOverElsewhereStays()
    {
        const QString lockPath = m_folder.instanceLockPath();
        const QByteArray laptop = InstanceLock::format({4242, u"laptop"_s, {}});
        {
            InstanceLock lock(m_folder, Here);
            QCOMPARE(lock.claim(), Claim::Claimed);
            write(lockPath + u".sync"_s, laptop);
            QVERIFY(::rename(QFile::encodeName(lockPath + u".sync"_s),
                             QFile::encodeName(lockPath)) == 0);
        }
        QCOMPARE(contentOf(lockPath), laptop);
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
