#include "FailingDevice.h"
#include "FileBytes.h"
#include "ListFileWriter.h"
#include "ListStore.h"
#include "MedicationList.h"
#include "TemporaryTrash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

enum class Obstacle
{
    None,
    Folder,
    ReadOnlyFolder,
    FullDisk
};

// Every entry of a folder with its bytes; a folder stands as "<folder>".
QMap<QString, QByteArray> snapshot(const QString &path)
{
    QMap<QString, QByteArray> entries;
    for (const QFileInfo &entry :
         QDir(path).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        entries[entry.fileName()] =
            entry.isDir() ? "<folder>"_ba : contentOf(entry.absoluteFilePath());
    return entries;
}

// Puts what stops the next save of file in its way, or says why it cannot.
QString placeObstacle(Obstacle obstacle, const QString &file)
{
    const QString folder = QFileInfo(file).path();
    switch (obstacle) {
    case Obstacle::None:
        break;
    case Obstacle::Folder:
        if (!QFile::remove(file) || !QDir().mkdir(file))
            return u"Cannot put a folder in the file's place."_s;
        break;
    case Obstacle::ReadOnlyFolder:
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(folder).isWritable())
            return u"The tests run with rights that ignore folder permissions (root), so a "
                   "read-only folder cannot stop a save here."_s;
        break;
    case Obstacle::FullDisk: {
        QFile filler(folder + u"/../filler"_s);
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return filler.errorString();
        filler.write(QByteArray(64 * 1024, 'x')); // more than there is room for
        break;
    }
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(Obstacle)

class TestListStore : public QObject
{
    Q_OBJECT

    // Lists removed by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // A catalogue edited by hand may name anything; only a plain name may
    // become a file, no name may lead the store out of its folder, and no
    // list may take a file the program keeps for itself.
    void nameFromCatalogue_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("spaces and dots") << u" Aunt May. "_s << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("dot") << u"."_s << false;
        QTest::newRow("dot dot") << u".."_s << false;
        QTest::newRow("parent folder") << u"../x"_s << false;
        QTest::newRow("backslash") << u"..\\x"_s << false;
        QTest::newRow("NUL") << u"a\0b"_s << false;
        QTest::newRow("tab") << u"a\tb"_s << false;
        QTest::newRow("C1 control") << u"a\u0081"_s << false;
        QTest::newRow("the catalogue") << u"MedLists"_s << false;
        QTest::newRow("the catalogue in another case") << u"medLISTS"_s << false;
        QTest::newRow("the catalogue with a suffix") << u"MedLists2"_s << true;
    }
    void nameFromCatalogue()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QTemporaryDir program;
        const DataFolder folder(program.path());
        QVERIFY(folder.EnsureDataFolder());
        QVERIFY(SaveFile::save(program.filePath(u"x.dat"_s), "not a list"));
        QVERIFY(folder.catalogue().rewrite({name}));
        const QByteArray catalogue = contentOf(folder.cataloguePath());
        const ListStore store(folder);
        name = store.names().value(0);
        QCOMPARE(folder.listFilePath(name).value_or(QString()),
                 accepted ? folder.path() + u'/' + name + u".dat"_s : QString());
        MedicationList list;
        list.setCurrentListName(name);
        list.setChangesMade(true);
        QCOMPARE(store.save(list).error.isEmpty(), accepted);
        QCOMPARE(list.ChangesMade(), !accepted);
        QCOMPARE(store.load(name, list).found, accepted);
        QCOMPARE(contentOf(folder.cataloguePath()), catalogue);
        QVERIFY(store.remove(name, {}));
        QCOMPARE(contentOf(program.filePath(u"x.dat"_s)), QByteArray("not a list"));
        QCOMPARE(contentOf(folder.cataloguePath()), QByteArray(""));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"MedLists.dat"});
    }

    // Whatever stops a save, what was in the folder stays as it was: a
    // device that fails after so many bytes, as a disk that fills up does,
    // and a folder where the file should be stop it for any user, root too.
    void failedSaveKeepsWhatWasThere_data()
    {
        QTest::addColumn<qint64>("failAfter");
        QTest::addColumn<Obstacle>("obstacle");
        const qint64 size = ListFileWriter::encode(MedicationList(), nullptr).value().size();
        const qint64 never = std::numeric_limits<qint64>::max();
        QTest::newRow("device fails at once") << qint64(0) << Obstacle::None;
        QTest::newRow("device fails after a byte") << qint64(1) << Obstacle::None;
        QTest::newRow("device fails before the last byte") << size - 1 << Obstacle::None;
        QTest::newRow("a folder where the file should be") << never << Obstacle::Folder;
        QTest::newRow("read-only data folder") << never << Obstacle::ReadOnlyFolder;
        QTest::newRow("full file system") << never << Obstacle::FullDisk;
    }
    void failedSaveKeepsWhatWasThere()
    {
        QFETCH(qint64, failAfter);
        QFETCH(Obstacle, obstacle);
        QTemporaryDir temporary;
        const QString folder = temporary.filePath(u"MedFiles"_s);
        const QString file = folder + u"/Kim.dat"_s;
        bool mounted = false;
        // Runs before the temporary folder goes, also when a check fails.
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (mounted)
                QProcess::execute(u"umount"_s, {temporary.path()});
        });
        if (obstacle == Obstacle::FullDisk) {
            if (QProcess::execute(u"mount"_s,
                                  {"-t", "tmpfs", "-o", "size=64k", "tmpfs", temporary.path()}))
                QSKIP("Cannot mount a small tmpfs to fill up; that needs root and mount.");
            mounted = true;
        }
        QVERIFY(QDir().mkpath(folder) && SaveFile::save(file, "old"));
        if (const QString cannot = placeObstacle(obstacle, file); !cannot.isEmpty())
            QSKIP(qPrintable(cannot));
        const QMap<QString, QByteArray> before = snapshot(folder);

        const MedicationList list;
        const SaveResult result = SaveFile::save(file, [&](QIODevice &device, QString *error) {
            FailingDevice failing(failAfter, device);
            return ListFileWriter::write(list, failing, error);
        });
        QVERIFY(!result && !result.error.isEmpty());
        QCOMPARE(snapshot(folder), before);
    }

    // A list deleted by mistake can be taken back out of the desktop's
    // trash; where there is no trash, its file goes for good.
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
        QFETCH(QStringList, trashed);
        const TemporaryTrash desktop(trash);
        QTemporaryDir program;
        const DataFolder folder(program.path());
        QVERIFY(folder.EnsureDataFolder());
        const ListStore store(folder);
        QVERIFY(store.create(u"Kim"_s) && store.create(u"Lee"_s));
        MedicationList list;
        list.setCurrentListName(u"Kim"_s);
        QVERIFY(store.save(list));
        const QByteArray saved = contentOf(folder.path() + u"/Kim.dat"_s);

        QVERIFY(store.remove(u"Kim"_s, {u"Lee"_s}));
        QCOMPARE(contentOf(folder.cataloguePath()), "Lee\r\n"_ba);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"MedLists.dat"});
        QCOMPARE(QDir(desktop.filesFolder()).entryList(QDir::Files), trashed);
        for (const QString &file : trashed) {
            QCOMPARE(contentOf(desktop.filesFolder() + u'/' + file), saved);
            // Where the trash puts it back.
            QVERIFY(contentOf(desktop.infoFolder() + u'/' + file + u".trashinfo"_s)
                        .contains("\nPath=" + QFile::encodeName(folder.path()) + "/Kim.dat\n"));
        }
        QCOMPARE(QDir(desktop.workingFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }
};

QTEST_GUILESS_MAIN(TestListStore)
#include "tst_liststore.moc"
