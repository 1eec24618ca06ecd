#include "ListStore.h"
#include "MedicationList.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void fillList(MedicationList &list, const QString &tag)
{
    list.ClearList();
    for (int row = 1; row < MedicationList::RowCount; ++row) {
        for (int column = 1; column < MedicationList::ColumnCount; ++column)
            list.setCell(row, column, QStringLiteral("%1 é€ %2/%3").arg(tag).arg(row).arg(column));
        list.setCell(row, MedicationList::NotesColumn,
                     QStringLiteral("Take with food\r\nAvoid alcohol\r\n%1").arg(row));
    }
    list.setNotes(QStringLiteral("Dr. Müller\r\n\r\nMon–Fri 8–12\n%1").arg(tag));
    list.setSettings({-60, 1200, 11520.5, 8640, 10, true, QStringLiteral("Büro")});
}

} // namespace

class TestListStore : public QObject
{
    Q_OBJECT

private slots:
    void roundTripOfFullList()
    {
        QTemporaryDir program;
        const DataFolder folder(program.path());
        QVERIFY(folder.EnsureDataFolder());
        MedicationList saved;
        fillList(saved, QStringLiteral("saved"));
        saved.setCurrentListName(QStringLiteral("Aunt May"));
        saved.setChangesMade(true);
        const SaveResult result = ListStore(folder).save(saved);
        QVERIFY2(result, qPrintable(result.error));
        QVERIFY(!saved.ChangesMade());

        MedicationList loaded;
        const ListStore::LoadResult load =
            ListStore(folder).load(QStringLiteral("Aunt May"), loaded);
        QVERIFY(load.found && load.read.complete);
        for (int row = 0; row < MedicationList::RowCount; ++row) {
            for (int column = 1; column < MedicationList::ColumnCount; ++column)
                QCOMPARE(loaded.cell(row, column), saved.cell(row, column));
        }
        QCOMPARE(loaded.notes(), saved.notes());
        QCOMPARE(loaded.settings(), saved.settings());
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
        bool mounted = false;
        bool readOnly = false;
        // Runs before the temporary folder goes, also when a check fails.
        const auto restore = qScopeGuard([&] {
            if (readOnly)
                QFile::setPermissions(program + QStringLiteral("/MedFiles"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            if (mounted)
                QProcess::execute(QStringLiteral("umount"), {program});
        });
        if (cause == u"full") {
            const QStringList options{"-t", "tmpfs", "-o", "size=64k", "tmpfs", program};
            if (QProcess::execute(QStringLiteral("mount"), options) != 0)
                QSKIP("Cannot mount a small tmpfs to fill up; that needs root and mount.");
            mounted = true;
        }
        const DataFolder folder(program);
        QVERIFY(folder.EnsureDataFolder());
        const ListStore store(folder);
        MedicationList list;
        fillList(list, QStringLiteral("old"));
        list.setCurrentListName(QStringLiteral("Kim"));
        QVERIFY(store.save(list));
        const QString path = folder.path() + QStringLiteral("/Kim.dat");
        const QByteArray old = contentOf(path);

        fillList(list, QStringLiteral("a longer new text"));
        list.setChangesMade(true);
        if (cause == u"character") {
            list.setCell(7, MedicationList::DosageColumn, QStringLiteral("5 µg Ω"));
        } else if (cause == u"read-only") {
            QVERIFY(QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner));
            readOnly = true;
            QFile probe(folder.path() + QStringLiteral("/probe"));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QSKIP("The tests run with rights that ignore folder permissions (root), so a "
                      "read-only folder cannot stop a save here.");
            }
        } else {
            QFile filler(program + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            for (int i = 0; i < 1024 && filler.write(QByteArray(1024, 'x')) == 1024; ++i) {
            }
        }

        QVERIFY(!store.save(list).error.isEmpty());
        QVERIFY(list.ChangesMade());
        QCOMPARE(contentOf(path), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Kim.dat"});
    }

    // A name written into the catalogue by hand must not lead the program
    // out of its data folder.
    void nameFromCatalogueStaysInFolder()
    {
        QTemporaryDir program;
        const DataFolder folder(program.path());
        QVERIFY(folder.EnsureDataFolder());
        QFile outside(program.filePath(QStringLiteral("x.dat")));
        QVERIFY(outside.open(QIODevice::WriteOnly) && outside.write("not a list") == 10);
        outside.close();
        QVERIFY(folder.catalogue().rewrite({"../x"}));
        const QString name = folder.catalogue().read().value(0);

        const ListStore store(folder);
        MedicationList list;
        fillList(list, QStringLiteral("kept"));
        list.setCurrentListName(name);
        list.setChangesMade(true);
        QVERIFY(!store.fileExists(name));
        QVERIFY(!store.save(list).error.isEmpty());
        QVERIFY(list.ChangesMade());
        QVERIFY(!store.load(name, list).found);
        QCOMPARE(list.cell(1, 1), QStringLiteral("kept é€ 1/1"));
        QVERIFY(!store.remove(name));
        QCOMPARE(contentOf(outside.fileName()), QByteArray("not a list"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"MedLists.dat"});
    }
};

QTEST_GUILESS_MAIN(TestListStore)
#include "tst_liststore.moc"
