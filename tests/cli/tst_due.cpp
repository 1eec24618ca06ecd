#include "DueCommand.h"
#include "DueRefills.h"
#include "Lists.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

// The day the table runs on: a Tuesday.
const QDate Today(2026, 12, 1);

QString inDays(int days)
{
    return Today.addDays(days).toString(Qt::ISODate);
}

enum class Folder
{
    WithLists,
    Missing,
    // A file where the data folder should be.
    File,
    // A folder where the catalogue should be.
    CatalogueFolder,
};

} // namespace

Q_DECLARE_METATYPE(Folder)

// pillora --due over a data folder: what it prints, in which order, and how
// it ends.
class TestDue : public QObject
{
    Q_OBJECT

private slots:
    void due_data()
    {
        QTest::addColumn<ListsOnDisk>("lists");
        QTest::addColumn<Folder>("folder");
        QTest::addColumn<QStringList>("out");
        // What stderr holds; exit code 1 for a folder or catalogue that
        // cannot be read.
        QTest::addColumn<QString>("err");

        const auto row = [](const char *name, const ListsOnDisk &lists, const QStringList &out,
                            const QString &err = {}, Folder folder = Folder::WithLists) {
            QTest::newRow(name) << lists << folder << out << err;
        };
        row("by date, then the catalogue's order of lists, then row; 7 days ahead, not 8",
            {{"Mum",
              {{"Zopiclone", inDays(2)},
               {"Aspirin", inDays(0)},
               {"Lisinopril", inDays(8)},
               {"Bisoprolol", inDays(2)}}},
             {"Dad", {{"Metformin", inDays(7)}, {"Warfarin", inDays(-30)}}},
             {"Anna", {{"Insulin", inDays(2)}}}},
            {"2026-11-01\tDad\tWarfarin\t2026-11-01", "2026-12-01\tMum\tAspirin\t2026-12-01",
             "2026-12-03\tMum\tZopiclone\t2026-12-03", "2026-12-03\tMum\tBisoprolol\t2026-12-03",
             "2026-12-03\tAnna\tInsulin\t2026-12-03", "2026-12-08\tDad\tMetformin\t2026-12-08"});
        // A tab or line break in a text stays within its field.
        row("read in the locale, printed as written; unreadable and empty dates left out",
            {{"Mum",
              {{"Lisinopril", "03/12/2026"},
               {"Metformin", "ask the doctor"},
               {"Aspirin\t100 mg\r\nat night", "2 December 0026"},
               {"Insulin", ""},
               {"Statin", "Wednesday, 2 December 2026"}}}},
            {"0026-12-02\tMum\tAspirin 100 mg  at night\t2 December 0026",
             "2026-12-02\tMum\tStatin\tWednesday, 2 December 2026",
             "2026-12-03\tMum\tLisinopril\t03/12/2026"});
        row("a list that cannot be read is named, the others listed, a list named twice once",
            {{"Mum", {{"Aspirin", inDays(1)}}},
             {"Dad", {}, ListOnDisk::Unreadable},
             {"Anna", {}, ListOnDisk::NeverSaved},
             {"Grandma", {{"Insulin", inDays(0)}}},
             {"Mum", {{"Aspirin", inDays(1)}}}},
            {"2026-12-01\tGrandma\tInsulin\t2026-12-01", "2026-12-02\tMum\tAspirin\t2026-12-02"},
            "The list \"Dad\" cannot be read");
        row("an empty catalogue", {}, {});

        row("no data folder yet: no lists", {}, {}, {}, Folder::Missing);
        row("a file where the data folder should be", {}, {},
            "should be the data folder, but it is not a folder", Folder::File);
        row("a folder where the catalogue should be", {}, {}, "pillora: The catalogue",
            Folder::CatalogueFolder);
    }
    void due()
    {
        QFETCH(ListsOnDisk, lists);
        QFETCH(Folder, folder);
        QFETCH(QStringList, out);
        QFETCH(QString, err);

        const QTemporaryDir program;
        const DataFolder data(program.path());
        if (folder == Folder::WithLists)
            QVERIFY(writeLists(program.path(), lists));
        else if (folder == Folder::File)
            QVERIFY(QFile(data.path()).open(QIODevice::WriteOnly));
        else if (folder == Folder::CatalogueFolder)
            QVERIFY(QDir().mkpath(data.cataloguePath()));

        QString printed;
        QString problems;
        QTextStream outStream(&printed);
        QTextStream errStream(&problems);
        const QLocale british(QLocale::English, QLocale::UnitedKingdom);
        QCOMPARE(
            DueCommand::run(DueRefills::collect(data, Today, british, 7), outStream, errStream),
            folder == Folder::File || folder == Folder::CatalogueFolder ? 1 : 0);
        QCOMPARE(printed.split(u'\n', Qt::SkipEmptyParts), out);
        QVERIFY2(err.isEmpty() ? problems.isEmpty() : problems.contains(err), qPrintable(problems));
        // Read only: nothing made where nothing was.
        if (folder == Folder::Missing)
            QVERIFY(!QFileInfo::exists(data.path()));
    }
};

QTEST_GUILESS_MAIN(TestDue)
#include "tst_due.moc"
