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

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestStorage : public QObject
{
    Q_OBJECT

    // Lists removed go to a trash of their own; each test has its own folders.
    const TemporaryTrash m_trash;
    std::optional<QTemporaryDir> m_program;
    DataFolder m_folder{QString()};

    QString path(const QString &file) const { return m_folder.path() + u'/' + file; }
    QString outside() const { return m_program->filePath(u"x.dat"_s); }

private slots:
    void init()
    {
        m_program.emplace();
        m_folder = DataFolder(m_program->path());
        QVERIFY(m_folder.EnsureDataFolder());
        write(outside(), "not a list");
    }

    // Lines there are kept byte for byte, however they end; a name the file
    // cannot give back is refused. Opening a FIFO would hang the start.
    void catalogue_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("names");
        const QByteArray edited = "Mum\r\nDad\r Gran \n\nAl"_ba;
        // clang-format off
        QTest::newRow("no catalogue yet") << QByteArray() << u"José"_s << "Jos\xe9\r\n"_ba << QStringList{"José"};
        QTest::newRow("edited by hand") << edited << u"Eve"_s << edited + "\r\nEve\r\n"
                                        << QStringList{"Mum", "Dad", " Gran ", "", "Al", "Eve"};
        QTest::newRow("emoji refused") << "Mum\r\n"_ba << u"Dad 😀"_s << "Mum\r\n"_ba << QStringList{"Mum"};
        QTest::newRow("line break refused") << "Mum\r\n"_ba << u"a\r\nb"_s << "Mum\r\n"_ba << QStringList{"Mum"};
        QTest::newRow("a FIFO") << "<fifo>"_ba << u"Eve"_s << "<no file>"_ba << QStringList{"<unreadable>"};
        // clang-format on
    }
    void catalogue()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, added);
        QFETCH(QByteArray, after);
        const Catalogue catalogue = m_folder.catalogue();
        if (before == "<fifo>")
            QVERIFY(::mkfifo(QFile::encodeName(catalogue.filePath()), 0600) == 0);
        else if (!before.isNull())
            write(catalogue.filePath(), before);
        catalogue.append(added);
        QCOMPARE(contentOf(catalogue.filePath()), after);
        QTEST(catalogue.read().value_or(QStringList{"<unreadable>"}), "names");
    }

    // A catalogue edited by hand may name anything; no name may lead the
    // store out of its folder or onto a file the program keeps for itself.
    void refusedListNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << u"../x"_s;
        QTest::newRow("backslash") << u"..\\x"_s;
        QTest::newRow("the catalogue in another case") << u"medLISTS"_s;
    }
    void refusedListNames()
    {
        QFETCH(QString, name);
        const ListStore store(m_folder);
        MedicationList list;
        list.setCurrentListName(name);
        QVERIFY(!store.save(list));
        QCOMPARE(store.load(name, list).outcome, Outcome::NameRefused);
        QVERIFY(store.remove(name, 0));
        QCOMPARE(contentOf(outside()), "not a list"_ba);
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList());
    }

    // For any user, root too. The list is still to be saved, and the folder
    // holds what it held. A file smaller than the write buffer reaches the
    // disk on the last flush, where closing alone would not notice.
    void diskFull_data()
    {
        QTest::addColumn<int>("notesLength");
        QTest::newRow("on the last flush") << 0;
        QTest::newRow("while writing") << 40000;
    }
    void diskFull()
    {
        QFETCH(int, notesLength);
        const QString file = path(u"Kim.dat"_s);
        write(file, "old");
        MedicationList list;
        list.setCurrentListName(u"Kim"_s);
        list.setNotes(QString(notesLength, u'x'));
        list.setChangesMade(true);
        // Past the limit, writing fails with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit full{512, old.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &full) == 0);
        const SaveResult result = ListStore(m_folder).save(list);
        setrlimit(RLIMIT_FSIZE, &old);
        QVERIFY2(!result && !result.error.contains(u"Unknown error"_s), qPrintable(result.error));
        QVERIFY(!result.error.isEmpty() && list.ChangesMade());
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Kim.dat"});
        QCOMPARE(contentOf(file), "old"_ba);
    }

    // Without a trash the file goes for good; the working folder, where Qt
    // would make a trash of its own, stays empty.
    void deletedWithoutTrash()
    {
        const TemporaryTrash desktop(false);
        write(path(u"Kim.dat"_s), "a list");
        const ListStore store(m_folder);
        QVERIFY(store.create(u"Kim"_s) && store.remove(u"Kim"_s, 0));
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList{"MedLists.dat"});
        QCOMPARE(QDir(desktop.workingFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // A list in a synced folder, which MedFiles may link to. Sync tools carry
    // the other computer's time, and a change may keep the size: only the
    // bytes tell. A file gone since loses nothing.
    void listInSyncedFolder()
    {
        QVERIFY(QDir(m_folder.path()).removeRecursively());
        QVERIFY(QDir().mkdir(m_program->filePath(u"Synced"_s)));
        QVERIFY(QFile::link(m_program->filePath(u"Synced"_s), m_folder.path()));
        const QString file = m_program->filePath(u"Synced/Kim.dat"_s);
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
        QVERIFY(store.create(u"Kim"_s) && store.remove(u"Kim"_s, 0) && !store.changedOnDisk(list));
        QCOMPARE(QDir(m_trash.filesFolder()).entryList(QDir::Files), QStringList{"Kim.dat"});
        // The last list gone leaves an empty catalogue, not none.
        QCOMPARE(contentOf(m_folder.cataloguePath()), ""_ba);
    }

    // Loading may read what a link leads to; saving never writes outside the
    // folder, nor does removing a list. No link stands for a FIFO.
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
        QTest::newRow("a link to a file outside") << "x.dat" << Outcome::Read << outside;
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
        QCOMPARE(contentOf(file).contains("Warfarin"), saved.ok);
        QVERIFY(store.remove(u"Kim"_s, 0));
        QCOMPARE(contentOf(outside()), "not a list"_ba);
        QVERIFY(!QFile::exists(m_program->filePath(u"nothing"_s)));
        QCOMPARE(QFileInfo(file).exists() || QFileInfo(file).isSymLink(), linkTo.isEmpty());
    }

    // The first name that is free in the catalogue, in any case, and among
    // the files.
    void nameForCopy()
    {
        write(m_folder.cataloguePath(), "Alice\r\nalice (2)\r\nBob\r\n");
        write(path(u"Bob (2).dat"_s), "from elsewhere");
        const ListStore store(m_folder);
        QCOMPARE(store.nameForCopy(u"Alice"_s), u"Alice (3)"_s);
        QCOMPARE(store.nameForCopy(u"Alice (2)"_s), u"Alice (3)"_s);
        QCOMPARE(store.nameForCopy(u"Bob"_s), u"Bob (3)"_s);
    }

    // Only what a save cut short leaves: six random letters of both cases.
    void leftoverSaves()
    {
        const QStringList kept{"Alice.dat",        "Alice.dat.BACKUP", "Alice.dat.Backup",
                               "Alice.dat.backup", "Alice.dat.kUTlf",  "Alice.txt.kUTlff"};
        for (const QString &name : kept + QStringList{"Alice.dat.kUTlff", "x.dat.hQbHmc"})
            write(path(name), "a list");
        QCOMPARE(ListStore(m_folder).removeLeftoverSaves(), 2);
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files, QDir::Name), kept);
    }

    // An older copy wrote no time in its lock: the file's time tells.
    void lockWithoutTime()
    {
        const QString lockPath = m_folder.instanceLockPath();
        write(lockPath, "4242\nPillora\nlaptop\n");
        InstanceLock lock(m_folder, u"desk"_s);
        QCOMPARE(lock.claim(), InstanceLock::Claim::HeldElsewhere);
        QCOMPARE(lock.holder().since, QFileInfo(lockPath).lastModified().toUTC());
    }

    // A lock file no running copy holds is taken over without a word, and
    // removed at the end, unless another computer's copy put its own there.
    void lockFiles_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        const QByteArray laptop = InstanceLock::format({4242, u"laptop"_s, {}});
        QTest::newRow("empty, from a power cut") << QByteArray() << QByteArray();
        QTest::newRow("left here by a copy that is gone")
            << InstanceLock::format({999999, u"desk"_s, {}}) << QByteArray();
        QTest::newRow("taken over by another computer") << QByteArray() << laptop;
    }
    void lockFiles()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        const QString lockPath = m_folder.instanceLockPath();
        write(lockPath, before);
        {
            InstanceLock lock(m_folder, u"desk"_s);
            QCOMPARE(lock.claim(), InstanceLock::Claim::Claimed);
            if (!after.isEmpty()) {
                write(lockPath + u".sync"_s, after);
                QVERIFY(::rename(QFile::encodeName(lockPath + u".sync"_s),
                                 QFile::encodeName(lockPath)) == 0);
            }
        }
        QCOMPARE(contentOf(lockPath), after.isEmpty() ? "<no file>"_ba : after);
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
