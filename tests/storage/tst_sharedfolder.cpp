// The data folder as a sync tool, a text editor or a second computer leave
// it: changed files, odd things in a file's place, leftovers and locks.

#include "InstanceLock.h"
#include "ListFileWriter.h"
#include "ListStore.h"
#include "MedicationList.h"
#include "TemporaryTrash.h"

#include <QBuffer>
#include <QTest>

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

// As sync tools write: a new file renamed over the old one.
void replace(const QString &path, const QByteArray &bytes)
{
    write(path + u".sync"_s, bytes);
    QVERIFY(::rename(QFile::encodeName(path + u".sync"_s), QFile::encodeName(path)) == 0);
}

QByteArray listBytes(const QString &firstName)
{
    MedicationList list;
    list.writeHeaderTexts();
    list.setCell(1, MedicationList::NameColumn, firstName);
    list.setCell(49, MedicationList::NotesColumn, u"last"_s);
    list.setNotes(u"notes"_s);
    return ListFileWriter::encode(list, nullptr).value();
}

const QString Here = u"desk"_s;

} // namespace

// What stands where a list's file or the lock should be.
using Make = std::function<void(const QString &path)>;

Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(Claim)

class TestSharedFolder : public QObject
{
    Q_OBJECT

    const TemporaryTrash m_trash;
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

    // Windows ends lines in CR LF and may keep an LF inside a cell; a Linux
    // editor or a checkout leaves LF, on some lines or all.
    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<bool>("complete");
        const QByteArray crlf = listBytes(u"Warfarin"_s);
        QByteArray lf = crlf;
        lf.replace("\r\n", "\n");
        // An editor that kept the line ends of the lines it did not touch.
        QByteArray mixed = lf;
        mixed.replace("Name\n", "Name\r\n").replace("Warfarin\n", "Warfarin\r\n");
        QTest::newRow("CR LF") << crlf << "Warfarin" << true;
        QTest::newRow("LF") << lf << "Warfarin" << true;
        QTest::newRow("LF on some lines") << mixed << "Warfarin" << true;
        QTest::newRow("LF, a CR inside a line")
            << QByteArray(lf).replace("Warfarin", "War\rfarin") << "War\rfarin" << true;
        // Kept as two raw CRs, a save would write "~~", which reads as CR LF.
        QTest::newRow("LF, two CRs inside a line")
            << QByteArray(lf).replace("Warfarin", "War\r\rfarin") << "War\r\nfarin" << true;
        QTest::newRow("LF inside a cell of a CR LF file")
            << QByteArray(crlf).replace("Warfarin", "War\nfarin") << "War\nfarin" << true;
        QTest::newRow("LF, cut short") << lf.left(lf.indexOf("Dosage")) << "" << false;
        // Read by LF, the cell's LF would end a line and shift every cell after it.
        QByteArray crlfCutShort = QByteArray(crlf).replace("Warfarin", "War\nfarin");
        crlfCutShort.chop(QByteArrayView("notes\r\n").size()); // the last line
        QTest::newRow("LF inside a cell of a CR LF file cut short")
            << crlfCutShort << "War\nfarin" << false;
    }
    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, firstName);
        QFETCH(bool, complete);
        MedicationList list;
        const ListFileReadResult result = ListFileReader::parse(bytes, list);
        QCOMPARE(result.complete, complete);
        QCOMPARE(list.cell(1, 1), firstName);
        QCOMPARE(list.cell(0, 1), u"Name"_s);
        if (complete)
            QCOMPARE(list.cell(49, 6) + list.notes(), u"lastnotes"_s);
    }

    void changedOnDisk_data()
    {
        QTest::addColumn<bool>("savedFirst");
        QTest::addColumn<Make>("change");
        QTest::addColumn<bool>("changed");
        const Make warfarin = [](const QString &file) { replace(file, listBytes(u"Warfarin"_s)); };
        QTest::newRow("untouched") << true << Make([](const QString &) {}) << false;
        QTest::newRow("replaced by a renamed copy") << true << warfarin << true;
        QTest::newRow("the same bytes written again")
            << true << Make([](const QString &file) { replace(file, listBytes(u"Aspirin"_s)); })
            << false;
        // A sync tool keeps the other computer's time, and the size is the same.
        QTest::newRow("same size and time, other bytes") << true << Make([](const QString &file) {
            QFile f(file);
            const QDateTime time = QFileInfo(f).lastModified();
            write(file, listBytes(u"Aspirim"_s));
            QVERIFY(f.open(QIODevice::ReadWrite) &&
                    f.setFileTime(time, QFileDevice::FileModificationTime));
        }) << true;
        QTest::newRow("removed") << true << Make([](const QString &file) { QFile::remove(file); })
                                 << false;
        QTest::newRow("made where there was none") << false << warfarin << true;
    }
    void changedOnDisk()
    {
        QFETCH(bool, savedFirst);
        QFETCH(Make, change);
        QFETCH(bool, changed);
        const ListStore store(m_folder);
        MedicationList list;
        list.writeHeaderTexts();
        list.setCurrentListName(u"Kim"_s);
        list.setCell(1, 1, u"Aspirin"_s);
        list.setCell(49, 6, u"last"_s);
        list.setNotes(u"notes"_s);
        QVERIFY(!savedFirst || store.save(list));
        change(path(u"Kim.dat"_s));
        QCOMPARE(store.changedOnDisk(list), changed);
        QVERIFY(store.save(list));
        QVERIFY(!store.changedOnDisk(list));
        replace(path(u"Kim.dat"_s), listBytes(u"Warfarin"_s));
        QCOMPARE(store.load(u"Kim"_s, list).outcome, Outcome::Read);
        QVERIFY(!store.changedOnDisk(list));
    }

    // Loading may read what a link leads to; saving never writes outside the
    // folder, and removing a list never removes what its link leads to.
    void whatStandsInTheFilesPlace_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<Outcome>("loaded");
        QTest::addColumn<QString>("saveRefusal");
        const QString notAList = u"'Kim' is not a list file and cannot be saved."_s;
        const QString outside = u"'Kim' is a link to a file outside the list folder and is not "
                                "overwritten."_s;
        QTest::newRow("a FIFO") << Make([](const QString &file) {
            QVERIFY(::mkfifo(QFile::encodeName(file), 0600) == 0);
        }) << Outcome::NotAListFile
                                << notAList;
        QTest::newRow("a folder") << Make([](const QString &file) { QDir().mkdir(file); })
                                  << Outcome::NotAListFile << notAList;
        QTest::newRow("a link within the folder") << Make([](const QString &file) {
            write(file + u".real"_s, listBytes(u"Aspirin"_s));
            QVERIFY(QFile::link(u"Kim.dat.real"_s, file));
        }) << Outcome::Read << QString();
        QTest::newRow("a link to a file outside")
            << Make([this](const QString &file) { QVERIFY(QFile::link(this->outside(), file)); })
            << Outcome::Read << outside;
        QTest::newRow("a link to nothing outside") << Make([this](const QString &file) {
            QVERIFY(QFile::link(m_program->filePath(u"nothing"_s), file));
        }) << Outcome::NoFile << outside;
    }
    void whatStandsInTheFilesPlace()
    {
        QFETCH(Make, make);
        QFETCH(Outcome, loaded);
        QFETCH(QString, saveRefusal);
        const ListStore store(m_folder);
        QVERIFY(store.create(u"Kim"_s));
        make(path(u"Kim.dat"_s));
        const bool link = QFileInfo(path(u"Kim.dat"_s)).isSymLink();
        const bool notAFile = !link && !QFileInfo(path(u"Kim.dat"_s)).isFile();
        MedicationList list;
        QCOMPARE(store.load(u"Kim"_s, list).outcome, loaded);
        list.setCurrentListName(u"Kim"_s);
        list.setCell(1, 1, u"Warfarin"_s);
        const SaveResult saved = store.save(list);
        QCOMPARE(saved.error, saveRefusal);
        QCOMPARE(contentOf(outside()), "not a list"_ba);
        QVERIFY(!QFile::exists(m_program->filePath(u"nothing"_s)));
        QCOMPARE(QFileInfo(path(u"Kim.dat"_s)).isSymLink(), link);
        QCOMPARE(contentOf(path(u"Kim.dat"_s)).contains("Warfarin"), saved.ok);
        QVERIFY(store.remove(u"Kim"_s, 0));
        QCOMPARE(contentOf(outside()), "not a list"_ba);
        const QFileInfo after(path(u"Kim.dat"_s));
        QCOMPARE(after.exists() || after.isSymLink(), notAFile);
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
        QTest::newRow("first copy") << "Alice\r\n"_ba
                                    << "Alice"
                                    << "Alice (2)";
        QTest::newRow("second copy") << "Alice\r\nalice (2)\r\n"_ba
                                     << "Alice"
                                     << "Alice (3)";
        QTest::newRow("copy of a copy") << "Alice\r\nAlice (2)\r\n"_ba
                                        << "Alice (2)"
                                        << "Alice (3)";
        QTest::newRow("a file without an entry") << "Bob\r\n"_ba
                                                 << "Bob"
                                                 << "Bob (3)";
        QTest::newRow("too long for any copy") << ""_ba << QString(124, u'é') << "";
    }
    void nameForCopy()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, name);
        QFETCH(QString, copy);
        write(m_folder.cataloguePath(), catalogue);
        write(path(u"Bob (2).dat"_s), "from elsewhere");
        QCOMPARE(ListStore(m_folder).nameForCopy(name), copy);
    }

    // Only what a save cut short leaves: six random letters of both cases.
    void leftoverSaves_data()
    {
        QTest::addColumn<QStringList>("removed");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("leftovers")
            << QStringList{"Alice.dat.kUTlff", "MedLists.dat.hQbHmc", "x.dat.PSbuOB"}
            << QStringList{"Alice.dat"};
        QTest::newRow("the user's own copies")
            << QStringList()
            << QStringList{"Alice.dat.backup", "Alice.dat.Backup", "Alice.dat.BACKUP",
                           "Alice.dat.bak123", "Alice.dat.kUTlf",  "Alice.txt.kUTlff"};
    }
    void leftoverSaves()
    {
        QFETCH(QStringList, removed);
        QFETCH(QStringList, kept);
        for (const QString &name : removed + kept)
            write(path(name), "a list");
        // Neither a link nor a folder named like one is a leftover.
        QVERIFY(QFile::link(outside(), path(u"Link.dat.kUTlff"_s)));
        QVERIFY(QDir().mkdir(path(u"Folder.dat.kUTlff"_s)));
        QCOMPARE(ListStore(m_folder).removeLeftoverSaves(), removed.size());
        QStringList expected = kept + QStringList{"Folder.dat.kUTlff", "Link.dat.kUTlff"};
        expected.sort();
        QCOMPARE(
            QDir(m_folder.path())
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                           QDir::Name),
            expected);
        QCOMPARE(contentOf(outside()), "not a list"_ba);
    }

    void lockFiles_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<Claim>("claim");
        QTest::addColumn<QString>("holder");
        QTest::addColumn<QDateTime>("since");
        const auto file = [](const QByteArray &bytes) {
            return Make([bytes](const QString &path) { write(path, bytes); });
        };
        const QDateTime morning(QDate(2026, 11, 30), QTime(8, 0), Qt::UTC);
        const QByteArray laptop = InstanceLock::format({4242, u"laptop"_s, morning});
        QTest::newRow("none") << Make([](const QString &) {}) << Claim::Claimed << Here
                              << QDateTime();
        QTest::newRow("empty, from a power cut")
            << file({}) << Claim::Claimed << Here << QDateTime();
        QTest::newRow("damaged") << file("\x01\x02 garbage") << Claim::Claimed << Here
                                 << QDateTime();
        QTest::newRow("left here by a copy that is gone")
            << file(InstanceLock::format({999999, Here, morning})) << Claim::Claimed << Here
            << QDateTime();
        QTest::newRow("another computer's")
            << file(laptop) << Claim::HeldElsewhere << "laptop" << morning;
        // Without a time of its own, the file's time tells.
        QTest::newRow("another computer's, without a time")
            << Make([](const QString &path) {
                   write(path, "4242\nPillora\nlaptop\n");
                   QFile f(path);
                   QVERIFY(f.open(QIODevice::ReadWrite) &&
                           f.setFileTime(QDateTime(QDate(2026, 1, 2), QTime(3, 4), Qt::UTC),
                                         QFileDevice::FileModificationTime));
               })
            << Claim::HeldElsewhere << "laptop"
            << QDateTime(QDate(2026, 1, 2), QTime(3, 4), Qt::UTC);
        QTest::newRow("a folder in its place")
            << Make([](const QString &path) { QDir().mkdir(path); }) << Claim::Unavailable
            << QString() << QDateTime();
    }
    void lockFiles()
    {
        QFETCH(Make, make);
        QFETCH(Claim, claim);
        QFETCH(QString, holder);
        QFETCH(QDateTime, since);
        const QString lockPath = m_folder.instanceLockPath();
        make(lockPath);
        {
            InstanceLock lock(m_folder, Here);
            QCOMPARE(lock.claim(), claim);
            QCOMPARE(lock.holder().host, holder);
            if (since.isValid())
                QCOMPARE(lock.holder().since, since);
            // A running copy here keeps out every other.
            QCOMPARE(InstanceLock(m_folder, Here).claim(),
                     claim == Claim::Claimed ? Claim::HeldHere : claim);
            if (claim == Claim::HeldElsewhere) {
                QVERIFY(lock.takeOver());
                QCOMPARE(
                    InstanceLock::parse(contentOf(lockPath)).value_or(InstanceLock::Holder()).host,
                    Here);
            }
        }
        // Gone with the copy that held it.
        QCOMPARE(QFileInfo::exists(lockPath), claim == Claim::Unavailable);
    }

    // The other computer's copy put its lock in place of this one's: ending
    // this copy leaves it.
    void lockTakenOverElsewhereStays()
    {
        const QByteArray laptop = InstanceLock::format({4242, u"laptop"_s, {}});
        {
            InstanceLock lock(m_folder, Here);
            QCOMPARE(lock.claim(), Claim::Claimed);
            replace(m_folder.instanceLockPath(), laptop);
        }
        QCOMPARE(contentOf(m_folder.instanceLockPath()), laptop);
    }
};

QTEST_GUILESS_MAIN(TestSharedFolder)
#include "tst_sharedfolder.moc"
