#include "ListReport.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QLocale>

// The list "Mum" on 12000-twip paper. The marker column's width must not
// count, so Notes start at 6240. Row 1 starts at y = 1824, each row takes 384
// (its line and an empty one in the 8-point table font).
class TestListReport : public QObject
{
    Q_OBJECT

    static inline const QString Title = "Mum - Medications List     (Tuesday, December 1, 2026)";
    static QString xs(int count) { return QString(count, u'x'); }
    static void addRow(const char *name, const QStringList &names, const QString &notes,
                       const QString &generalNotes, const QString &expected, int paperWidth = 12000,
                       double printableHeight = 15000)
    {
        QTest::newRow(name) << names << notes << generalNotes << paperWidth << printableHeight
                            << expected;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each row: the Names, row 1's Notes, the general notes and the paper;
    // then a stretch of the printer's log, its entries joined by " | ".
    void printPages_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("generalNotes");
        QTest::addColumn<int>("paperWidth");
        QTest::addColumn<double>("printableHeight");
        QTest::addColumn<QString>("expected");
        const QStringList a{"A"};
        addRow("first page header and column positions", a, "", "",
               "font 10 | endline 10000,120 Page 1 | font 10 bold | endline 240,960 " + Title +
                   " | font 10 | endline 0,1200 | line 240,1440 11520,1440 | font 8 | "
                   "print 240,1440 Name | print 1240,1440 Dosage | print 2340,1440 Instructions | "
                   "print 3540,1440 Quantity | print 4840,1440 Next Refill Date | "
                   "print 6240,1440 Notes | endline 6490,1440 | check 1632 | "
                   "line 240,1632 11520,1632 | check 1632 | endline 0,1632 | check 1824 | "
                   "print 240,1824 A");
        addRow("empty rows after the last Name, no general notes", {"A", "B", "", ""}, "", "",
               "endline 0,2400 | check 2592 | (end)");
        addRow("an empty Name between filled rows", {"A", "", "C"}, "", "",
               "line 240,2400 11520,2400 | check 2400 | endline 0,2400 | check 2592 | "
               "print 240,2592 C");
        // The cell wraps when wider than 5280 and is then cut where a piece
        // gets wider than 4560.
        addRow("Notes split at CR LF: no check between the lines", a, "one\r\ntwo", "",
               "endline 6240,1824 one | print 6240,2016 two | endline 6390,2016 | check 2208");
        addRow("Notes ending in CR LF: no empty line after them", a, "one\r\n", "",
               "print 6240,1824 one | endline 6390,1824 | check 2016");
        addRow("Notes cut by characters, a check after each cut", a, xs(100), "",
               "endline 6240,1824 " + xs(46) + " | check 2016 | endline 6240,2016 " + xs(46) +
                   " | check 2208 | print 6240,2208 xxxxxxxx | endline 6640,2208 | check 2400");
        // The other columns leave 280 twips: cut at 600, not at every letter.
        addRow("Notes with no room left are cut at 600", a, "abcdefghij", "",
               "endline 6240,1824 abcdefg | check 2016 | print 6240,2016 hij", 7000);
        // The margin is 2496 - 480 = 2016, reached by row 1's second check.
        addRow("page break with y at the bottom margin", {"A", "B"}, "", "",
               "endline 6240,1824 | check 2016 | newpage", 12000, 2496);
        addRow("no break with y a twip above it", {"A", "B"}, "", "",
               "check 2016 | endline 0,2016 | check 2208 | newpage", 12000, 2497);
        // Two rows to a page; each later page repeats the header.
        const QStringList five{"A", "B", "C", "D", "E"};
        addRow("Page 2", five, "", "",
               "newpage | endline 10000,120 Page 2 | font 10 bold | endline 240,960 " + Title +
                   " | font 8 | endline 0,1200 | line 240,1392 11520,1392 | "
                   "print 240,1392 Name | print 1240,1392 Dosage | print 2340,1392 Instructions | "
                   "print 3540,1392 Quantity | print 4840,1392 Next Refill Date | "
                   "print 6240,1392 Notes | endline 6490,1392 | line 240,1584 11520,1584 | "
                   "endline 0,1584 | print 240,1776 C",
               12000, 3000);
        addRow("Page 3", five, "", "", "newpage | endline 10000,120 Page 3 | font 10 bold", 12000,
               3000);
        // Lines wider than 11100 twips (111 characters) are split in two.
        addRow("general notes of one word then CR LF", a, "", "word\r\n",
               "endline 0,2016 | check 2208 | endline 0,2208 | check 2400 | font 8 bold | "
               "endline 240,2400 General notes: | check 2592 | font 8 | "
               "endline 240,2592      > word | check 2784 | endline 240,2784      > | check 2976 "
               "| (end)");
        addRow("a general notes line split at the last blank", a, "", xs(106) + " xx yy",
               "endline 240,2592      > " + xs(106) +
                   " xx | check 2784 | "
                   "endline 240,2784            yy | check 2976");
        addRow("a general notes line without blanks", a, "", xs(200),
               "endline 240,2592      > " + xs(110) +
                   " | check 2784 | endline 240,2784            " + xs(90) + " | check 2976");
        addRow("the rest of a general notes line still too wide", a, "", "aaaa " + xs(200),
               "endline 240,2592      > aaaa | check 2784 | endline 240,2784            " +
                   xs(200) + " | check 2976 | (end)");
        // Not even one character is narrower than 100 twips: nothing to split.
        addRow("a general notes line with no room at all", a, "", "a b",
               "endline 240,2592      > | check 2784 | endline 240,2784 | check 2976 | (end)",
               1000);
    }
    void printPages()
    {
        QFETCH(QStringList, names);
        MedicationList list;
        startList(list);
        for (int i = 0; i < names.size(); ++i)
            list.setCell(i + 1, MedicationList::NameColumn, names[i]);
        QFETCH(QString, notes);
        list.setCell(1, MedicationList::NotesColumn, notes);
        QFETCH(QString, generalNotes);
        list.setNotes(generalNotes);
        RecordingPrinter printer;
        QFETCH(int, paperWidth);
        printer.paperWidth = paperWidth;
        QFETCH(double, printableHeight);
        printer.drawingHeight = printableHeight;
        CharacterMeasurer measurer;
        TestClock clock;
        ListReport(printer, list, measurer, clock)
            .printPages({9999, 1000, 1100, 1200, 1300, 1400, 0});
        const QString log = printer.log.join(" | ") + " | (end)";
        QFETCH(QString, expected);
        QVERIFY2(log.contains(expected), qPrintable(log));
    }
};

QTEST_MAIN(TestListReport)
#include "tst_listreport.moc"
