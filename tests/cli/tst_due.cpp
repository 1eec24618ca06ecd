#include "DueCommand.h"
#include "DueRefills.h"
#include "Lists.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

// The day the table runs on: a Tuesday.
const QDate Today(2026, 12, 1);

QString inDays(int days)
{
    return Today.addDays(days).toString(Qt::ISODate);
}

const QLocale British(QLocale::English, QLocale::UnitedKingdom);
const QLocale American(QLocale::English, QLocale::UnitedStates);

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
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("within");
        QTest::addColumn<QStringList>("out");
        QTest::addColumn<QStringList>("err");
        QTest::addColumn<int>("exitCode");

        const auto row = [](const char *name, const ListsOnDisk &lists, const QStringList &out,
                            const QStringList &err = {}, int within = 7) {
            QTest::newRow(name) << lists << Folder::WithLists << British << within << out << err
                                << 0;
        };
        row("due today, in 7 days and overdue; not in 8 days",
            {{"Mum",
              {{"Lisinopril", inDays(8)},
               {"Metformin", inDays(7)},
               {"Aspirin", inDays(0)},
               {"Warfarin", inDays(-30)}}}},
            {"2026-11-01\tMum\tWarfarin\t2026-11-01", "2026-12-01\tMum\tAspirin\t2026-12-01",
             "2026-12-08\tMum\tMetformin\t2026-12-08"});
        row("dates as the locale writes them, and as written",
            {{"Mum",
              {{"Lisinopril", "03/12/2026"},
               {"Metformin", "  4 Dec "},
               {"Statin", "Wednesday, 2 December 2026"}}}},
            {"2026-12-02\tMum\tStatin\tWednesday, 2 December 2026",
             "2026-12-03\tMum\tLisinopril\t03/12/2026", "2026-12-04\tMum\tMetformin\t  4 Dec "});
        QTest::newRow("month first in the United States")
            << ListsOnDisk{{"Mum", {{"Lisinopril", "12/03/2026"}}}} << Folder::WithLists << American
            << 7 << QStringList{"2026-12-03\tMum\tLisinopril\t12/03/2026"} << QStringList() << 0;
        row("a year before 1000 in four digits",
            {{"Mum", {{"Lisinopril", "2 December 0026"}, {"Statin", "0999-01-09"}}}},
            {"0026-12-02\tMum\tLisinopril\t2 December 0026",
             "0999-01-09\tMum\tStatin\t0999-01-09"});
        row("unreadable and empty dates are not listed",
            {{"Mum",
              {{"Lisinopril", "ask the doctor"},
               {"Metformin", "31/11/2026"},
               {"Aspirin", ""},
               {"Statin", inDays(1)}}}},
            {"2026-12-02\tMum\tStatin\t2026-12-02"});
        row("by date, then the catalogue's order of lists, then row",
            {{"Mum", {{"Zopiclone", inDays(2)}, {"Aspirin", inDays(1)}, {"Bisoprolol", inDays(2)}}},
             {"Dad", {{"Metformin", inDays(1)}, {"Warfarin", inDays(-1)}}},
             {"Anna", {{"Insulin", inDays(2)}}}},
            {"2026-11-30\tDad\tWarfarin\t2026-11-30", "2026-12-02\tMum\tAspirin\t2026-12-02",
             "2026-12-02\tDad\tMetformin\t2026-12-02", "2026-12-03\tMum\tZopiclone\t2026-12-03",
             "2026-12-03\tMum\tBisoprolol\t2026-12-03", "2026-12-03\tAnna\tInsulin\t2026-12-03"});
        row("a list that cannot be read is named, the others still listed",
            {{"Mum", {{"Aspirin", inDays(1)}}},
             {"Dad", {}, ListOnDisk::Unreadable},
             {"Anna", {}, ListOnDisk::NeverSaved},
             {"Grandma", {{"Insulin", inDays(0)}}}},
            {"2026-12-01\tGrandma\tInsulin\t2026-12-01", "2026-12-02\tMum\tAspirin\t2026-12-02"},
            {"The list \"Dad\" cannot be read"});
        row("an empty catalogue", {}, {});
        row("a list the catalogue names twice counts once",
            {{"Mum", {{"Aspirin", inDays(0)}}}, {"Mum", {{"Aspirin", inDays(0)}}}},
            {"2026-12-01\tMum\tAspirin\t2026-12-01"});
        row("a tab or line break in a text stays within its field",
            {{"Mum", {{"Aspirin\t100 mg\r\nat night", inDays(0)}}}},
            {"2026-12-01\tMum\tAspirin 100 mg  at night\t2026-12-01"});
        row("--within 0: today and overdue only",
            {{"Mum", {{"Aspirin", inDays(0)}, {"Statin", inDays(1)}, {"Warfarin", inDays(-1)}}}},
            {"2026-11-30\tMum\tWarfarin\t2026-11-30", "2026-12-01\tMum\tAspirin\t2026-12-01"}, {},
            0);
        row("--within 30", {{"Mum", {{"Aspirin", inDays(30)}, {"Statin", inDays(31)}}}},
            {"2026-12-31\tMum\tAspirin\t2026-12-31"}, {}, 30);

        const auto broken = [](const char *name, Folder folder, const QStringList &err,
                               int exitCode) {
            QTest::newRow(name) << ListsOnDisk() << folder << British << 7 << QStringList() << err
                                << exitCode;
        };
        broken("no data folder yet: no lists", Folder::Missing, {}, 0);
        broken("a file where the data folder should be", Folder::File,
               {"should be the data folder, but it is not a folder"}, 1);
        broken("a folder where the catalogue should be", Folder::CatalogueFolder,
               {"The catalogue", "cannot be read"}, 1);
    }
    void due()
    {
        QFETCH(ListsOnDisk, lists);
        QFETCH(Folder, folder);
        QFETCH(QLocale, locale);
        QFETCH(int, within);
        QFETCH(QStringList, out);
        QFETCH(QStringList, err);
        QFETCH(int, exitCode);

        const QTemporaryDir program;
        const DataFolder data(program.path());
        switch (folder) {
        case Folder::WithLists:
            QVERIFY(writeLists(program.path(), lists));
            break;
        case Folder::Missing:
            break;
        case Folder::File:
            QVERIFY(QFile(data.path()).open(QIODevice::WriteOnly));
            break;
        case Folder::CatalogueFolder:
            QVERIFY(QDir().mkpath(data.cataloguePath()));
            break;
        }

        QString printed;
        QString problems;
        QTextStream outStream(&printed);
        QTextStream errStream(&problems);
        const int code =
            DueCommand::run(DueRefills::collect(data, Today, locale, within), outStream, errStream);
        QCOMPARE(code, exitCode);
        QCOMPARE(printed.split(u'\n', Qt::SkipEmptyParts), out);
        for (const QString &words : err)
            QVERIFY2(problems.contains(words), qPrintable(problems));
        if (err.isEmpty())
            QCOMPARE(problems, QString());
        // Read only: nothing made where nothing was.
        if (folder == Folder::Missing)
            QVERIFY(!QFileInfo::exists(data.path()));
    }
};

QTEST_GUILESS_MAIN(TestDue)
#include "tst_due.moc"
