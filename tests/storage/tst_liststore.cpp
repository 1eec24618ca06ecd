#include "FileBytes.h"
#include "ListStore.h"
#include "MedicationList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestListStore : public QObject
{
    Q_OBJECT

private slots:
    // A catalogue edited by hand may name anything; only a plain name may
    // become a file, and no name may lead the store out of its folder.
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
        name = folder.catalogue().read().value(0);
        QCOMPARE(folder.listFilePath(name).value_or(QString()),
                 accepted ? folder.path() + u'/' + name + u".dat"_s : QString());
        const ListStore store(folder);
        MedicationList list;
        list.setCurrentListName(name);
        list.setChangesMade(true);
        QCOMPARE(store.save(list).error.isEmpty(), accepted);
        QCOMPARE(list.ChangesMade(), !accepted);
        QCOMPARE(store.fileExists(name), accepted);
        QCOMPARE(store.load(name, list).found, accepted);
        QCOMPARE(store.remove(name), accepted);
        QCOMPARE(contentOf(program.filePath(u"x.dat"_s)), QByteArray("not a list"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"MedLists.dat"});
    }

    // Whatever stops a save, the file it would have replaced stays whole and
    // the list still counts as changed.
    void failedSaveKeepsOldFile_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::newRow("character windows-1252 lacks") << "character";
        QTest::newRow("read-only data folder") << "read-only";
        QTest::newRow("full file system") << "full";
    }
    void failedSaveKeepsOldFile()
    {
        QFETCH(QString, cause);
        QTemporaryDir temporary;
        const QString program = temporary.path();
        const DataFolder folder(program);
        bool mounted = false;
        // Runs before the temporary folder goes, also when a check fails.
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(folder.path(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (mounted)
                QProcess::execute(u"umount"_s, {program});
        });
        if (cause == u"full") {
            if (QProcess::execute(u"mount"_s, {"-t", "tmpfs", "-o", "size=64k", "tmpfs", program}))
                QSKIP("Cannot mount a small tmpfs to fill up; that needs root and mount.");
            mounted = true;
        }
        QVERIFY(folder.EnsureDataFolder());
        const ListStore store(folder);
        MedicationList list;
        list.setCurrentListName(u"Kim"_s);
        list.setCell(1, 1, u"old"_s);
        QVERIFY(store.save(list));
        const QByteArray old = contentOf(folder.path() + u"/Kim.dat"_s);
        list.setCell(1, 1, cause == u"character" ? u"5 µg Ω"_s : u"new"_s);
        list.setChangesMade(true);
        if (cause == u"read-only") {
            QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            if (QFileInfo(folder.path()).isWritable())
                QSKIP("The tests run with rights that ignore folder permissions (root), so a "
                      "read-only folder cannot stop a save here.");
        } else if (cause == u"full") {
            QFile filler(program + u"/filler"_s);
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            filler.write(QByteArray(64 * 1024, 'x')); // more than there is room for
        }
        QVERIFY(!store.save(list).error.isEmpty());
        QVERIFY(list.ChangesMade());
        QCOMPARE(contentOf(folder.path() + u"/Kim.dat"_s), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Kim.dat"});
    }
};

QTEST_GUILESS_MAIN(TestListStore)
#include "tst_liststore.moc"
