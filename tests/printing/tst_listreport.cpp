#include "ListReport.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QLocale>
#include <QRegularExpression>

using Widths = ListReport::ColumnWidths;
Q_DECLARE_METATYPE(Widths)

namespace {

const Widths EqualWidths{480, 1200, 1200, 1200, 1200, 1200, 0};
const QString Title = QStringLiteral("Mum - Medications List     (Tuesday, December 1, 2026)");

// The open list "Mum" printed on 12000-twip paper, tall enough for one page
// unless a test makes it shorter. Row 1 starts at y = 1824 and each line of
// the 8-point table font is 192 twips.
struct Printout
{
    Printout() { startList(list); }

    void setNames(const QStringList &names)
    {
        for (int i = 0; i < names.size(); ++i)
            list.setCell(i + 1, MedicationList::NameColumn, names[i]);
    }
    QStringList print(const Widths &widths = EqualWidths)
    {
        report.printPages(widths);
        return printer.log;
    }

    MedicationList list;
    RecordingPrinter printer;
    CharacterMeasurer measurer;
    FixedClock clock;
    ListReport report{printer, list, measurer, clock};
};

QString repeated(QChar c, int count)
{
    return QString(count, c);
}

// The entries from the first one that starts with from, count of them.
QStringList entriesFrom(const QStringList &log, const QString &from, qsizetype count)
{
    for (qsizetype i = 0; i < log.size(); ++i) {
        if (log[i].startsWith(from))
            return log.mid(i, count);
    }
    return {QStringLiteral("<no entry starting with %1>").arg(from)};
}

} // namespace

class TestListReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void firstPageHeader()
    {
        Printout p;
        p.setNames({"Aspirin"});
        const QStringList expected{
            "font 10",
            "endline 10000,120 Page 1",
            "font 10 bold",
            "endline 240,960 " + Title,
            "font 10",
            "endline 0,1200 ",
            "line 240,1440 11520,1440",
            "font 8",
            "print 240,1440 Name",
            "print 1440,1440 Dosage",
            "print 2640,1440 Instructions",
            "print 3840,1440 Quantity",
            "print 5040,1440 Next Refill Date",
            "print 6240,1440 Notes",
            "endline 6490,1440 ",
            "check 1632",
            "line 240,1632 11520,1632",
            "check 1632",
            "endline 0,1632 ",
            "check 1824",
            "print 240,1824 Aspirin",
        };
        QCOMPARE(p.print().mid(0, expected.size()), expected);
    }

    void titleLineInTheUsersLocale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("title");
        QTest::newRow("English, United States")
            << QLocale(QLocale::English, QLocale::UnitedStates) << Title;
        QTest::newRow("German, Germany")
            << QLocale(QLocale::German, QLocale::Germany)
            << "Mum - Medications List     (Dienstag, 1. Dezember 2026)";
    }
    void titleLineInTheUsersLocale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, title);
        QLocale::setDefault(locale);
        Printout p;
        p.setNames({"Aspirin"});
        const QStringList log = p.print();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(entriesFrom(log, "endline 240,960 ", 1), QStringList{"endline 240,960 " + title});
    }

    // The heading row shows where the columns go; column 0 is never printed.
    void columnPositions_data()
    {
        QTest::addColumn<Widths>("widths");
        QTest::addColumn<QList<int>>("columnX");
        QTest::newRow("equal widths")
            << EqualWidths << QList<int>{240, 1440, 2640, 3840, 5040, 6240};
        QTest::newRow("a wide Name") << Widths{480, 3000, 900, 1500, 1000, 1700, 0}
                                     << QList<int>{240, 3240, 4140, 5640, 6640, 8340};
        QTest::newRow("the marker column takes no room")
            << Widths{9999, 1200, 1200, 1200, 1200, 1200, 0}
            << QList<int>{240, 1440, 2640, 3840, 5040, 6240};
    }
    void columnPositions()
    {
        QFETCH(Widths, widths);
        QFETCH(QList<int>, columnX);
        Printout p;
        p.setNames({"Aspirin"});
        const QStringList log = p.print(widths);
        for (int column = 1; column <= 6; ++column) {
            QCOMPARE(p.report.ColumnX(column), columnX[column - 1]);
            const QString heading = MedicationList::headerTexts()[column - 1];
            QVERIFY2(log.contains(
                         QStringLiteral("print %1,1440 %2").arg(columnX[column - 1]).arg(heading)),
                     qPrintable(heading));
        }
    }

    // Rows are printed down to the last filled Name, empty ones before it
    // included, each with its rule.
    void lastRow_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("printedNames");
        QTest::newRow("one medicine") << QStringList{"A"} << QStringList{"Name", "A"};
        QTest::newRow("an empty Name between filled rows")
            << QStringList{"A", "", "C"} << QStringList{"Name", "A", "", "C"};
        QTest::newRow("empty rows after the last Name")
            << QStringList{"A", "B", "", ""} << QStringList{"Name", "A", "B"};
    }
    void lastRow()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, printedNames);
        Printout p;
        p.setNames(names);
        const QStringList log = p.print();
        QStringList printed;
        for (const QString &entry : log) {
            if (entry.startsWith("print 240,"))
                printed << entry.section(u' ', 2);
        }
        QCOMPARE(printed, printedNames);
        // The page header's rule, then one under every printed row.
        QCOMPARE(log.filter(QRegularExpression("^line ")).size(), 1 + printedNames.size());
    }

    // From the Notes cell of row 1 to the first page-break check after it.
    // The column starts at 6240; the cell wraps when wider than 5280 and is
    // cut where a piece gets wider than 4560.
    void notesCell_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<int>("paperWidth");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("fits on the row")
            << "short" << 12000
            << QStringList{"print 6240,1824 short", "endline 6490,1824 ", "check 2016"};
        QTest::newRow("exactly as wide as the column")
            << repeated('x', 52) << 12000
            << QStringList{"print 6240,1824 " + repeated('x', 52), "endline 8840,1824 ",
                           "check 2016"};
        QTest::newRow("two words at CR LF: no check between them")
            << "one\r\ntwo" << 12000
            << QStringList{"endline 6240,1824 one", "print 6240,2016 two", "endline 6390,2016 ",
                           "check 2208"};
        QTest::newRow("ending in CR LF: no empty line after it")
            << "one\r\n"
            << 12000 << QStringList{"print 6240,1824 one", "endline 6390,1824 ", "check 2016"};
        QTest::newRow("cut by characters: a check after each cut")
            << repeated('x', 100) << 12000
            << QStringList{"endline 6240,1824 " + repeated('x', 46),
                           "check 2016",
                           "endline 6240,2016 " + repeated('x', 46),
                           "check 2208",
                           "print 6240,2208 " + repeated('x', 8),
                           "endline 6640,2208 ",
                           "check 2400"};
        // 53 characters are 2650 twips to the printer: only the measuring
        // font makes this cell too wide.
        QTest::newRow("too wide in the measuring font only")
            << repeated('x', 53) << 12000
            << QStringList{"endline 6240,1824 " + repeated('x', 46), "check 2016",
                           "print 6240,2016 " + repeated('x', 7), "endline 6590,2016 ",
                           "check 2208"};
        // The other columns leave the Notes 280 twips of paper: cut at 600
        // rather than at every character.
        QTest::newRow("hardly any room left: cut at 600 all the same")
            << "abcdefghij" << 7000
            << QStringList{"endline 6240,1824 abcdefg", "check 2016", "print 6240,2016 hij",
                           "endline 6390,2016 ", "check 2208"};
    }

    void notesCell()
    {
        QFETCH(QString, notes);
        QFETCH(int, paperWidth);
        QFETCH(QStringList, printed);
        Printout p;
        p.printer.paperWidth = paperWidth;
        p.setNames({"A"});
        p.list.setCell(1, MedicationList::NotesColumn, notes);
        const QStringList log = p.print();
        const QStringList fromNotes = entriesFrom(log, "print 5040,1824 ", 100).mid(1);
        QCOMPARE(fromNotes.mid(0, printed.size()), printed);
    }

    void SplitNotesLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("limit");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("rest");
        // Ten characters fill the limit of 1000.
        QTest::newRow("fits") << "short text" << 1000.0 << "short text"
                              << "";
        QTest::newRow("at the last blank") << "aaa bbb ccc ddd" << 1000.0 << "aaa bbb"
                                           << "ccc ddd";
        QTest::newRow("blank just inside") << "abcdefgh ijklm" << 1000.0 << "abcdefgh"
                                           << "ijklm";
        QTest::newRow("no blank: cut inside the word") << "abcdefghijkl" << 1000.0 << "abcdefghi"
                                                       << "jkl";
        QTest::newRow("the rest is not split again")
            << "aaaa " + repeated('b', 30) << 1000.0 << "aaaa" << repeated('b', 30);
        QTest::newRow("not one character fits: nothing assigned") << "abc" << 50.0 << "unchanged"
                                                                  << "unchanged";
    }
    void SplitNotesLine()
    {
        QFETCH(QString, text);
        QFETCH(double, limit);
        Printout p;
        QString first = QStringLiteral("unchanged");
        QString rest = QStringLiteral("unchanged");
        p.report.SplitNotesLine(text, limit, first, rest);
        QTEST(first, "first");
        QTEST(rest, "rest");
    }

    // A break comes at the first check that finds y at or below the bottom
    // margin, PrintableHeight - 480. Row 1's checks are at 2016, 2016, 2208.
    void pageBreakAtTheBottomMargin_data()
    {
        QTest::addColumn<double>("printableHeight");
        QTest::addColumn<QStringList>("beforeBreak");
        QTest::newRow("y reaches the margin exactly")
            << 2496.0 << QStringList{"endline 6240,1824 ", "check 2016", "newpage"};
        QTest::newRow("y one twip above the margin")
            << 2497.0 << QStringList{"endline 0,2016 ", "check 2208", "newpage"};
    }
    void pageBreakAtTheBottomMargin()
    {
        QFETCH(double, printableHeight);
        QFETCH(QStringList, beforeBreak);
        Printout p;
        p.setNames({"A", "B"});
        p.printer.drawingHeight = printableHeight;
        const QStringList log = p.print();
        const qsizetype firstBreak = log.indexOf("newpage");
        QVERIFY(firstBreak > 2);
        QCOMPARE(log.mid(firstBreak - 2, 3), beforeBreak);
    }

    // Five rows on pages that take two each: every new page repeats the
    // header in the table font, and the rows go on below it.
    void headerRepeated_data()
    {
        QTest::addColumn<int>("page");
        QTest::newRow("Page 2") << 2;
        QTest::newRow("Page 3") << 3;
    }
    void headerRepeated()
    {
        QFETCH(int, page);
        Printout p;
        p.setNames({"A", "B", "C", "D", "E"});
        p.printer.drawingHeight = 3000;
        const QStringList log = p.print();
        QCOMPARE(log.count("newpage"), 2);
        qsizetype at = -1;
        for (int i = 1; i < page; ++i)
            at = log.indexOf("newpage", at + 1);
        const QStringList expected{
            "newpage",
            QStringLiteral("endline 10000,120 Page %1").arg(page),
            "font 10 bold",
            "endline 240,960 " + Title,
            "font 8",
            "endline 0,1200 ",
            "line 240,1392 11520,1392",
            "print 240,1392 Name",
            "print 1440,1392 Dosage",
            "print 2640,1392 Instructions",
            "print 3840,1392 Quantity",
            "print 5040,1392 Next Refill Date",
            "print 6240,1392 Notes",
            "endline 6490,1392 ",
            "line 240,1584 11520,1584",
            "endline 0,1584 ",
        };
        QCOMPARE(log.mid(at, expected.size()), expected);
        const QString nextRow = QString(QChar(u'A' + 2 * (page - 1)));
        QCOMPARE(log.mid(at + expected.size(), 1), QStringList{"print 240,1776 " + nextRow});
    }

    // Lines wider than 11100 (111 characters) are split in two.
    void generalNotes_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("printed");
        QStringList words;
        for (int i = 0; i < 12; ++i)
            words << repeated(QChar(u'a' + i), 9);
        QTest::newRow("empty: no heading") << "" << QStringList{};
        QTest::newRow("one word then CR LF: two lines")
            << "word\r\n"
            << QStringList{"General notes:", "     > word", "     > "};
        QTest::newRow("three lines")
            << "a\r\nb\r\nc" << QStringList{"General notes:", "     > a", "     > b", "     > c"};
        QTest::newRow("too wide: split at the last blank")
            << words.join(' ')
            << QStringList{"General notes:", "     > " + words.mid(0, 11).join(' '),
                           "           " + words[11]};
        QTest::newRow("a rest still too wide is printed whole")
            << "aaaa " + repeated('b', 200)
            << QStringList{"General notes:", "     > aaaa", "           " + repeated('b', 200)};
    }
    void generalNotes()
    {
        QFETCH(QString, notes);
        QFETCH(QStringList, printed);
        Printout p;
        p.setNames({"A"});
        p.list.setNotes(notes);
        const QStringList log = p.print();
        const QStringList texts = p.printer.texts();
        const qsizetype heading = texts.indexOf("General notes:");
        QCOMPARE(heading < 0 ? QStringList{} : texts.mid(heading), printed);
        if (printed.isEmpty())
            QVERIFY(log.last().startsWith("check "));
        else
            QCOMPARE(log[log.indexOf(QRegularExpression(".*General notes:")) - 1], "font 8 bold");
    }
};

QTEST_MAIN(TestListReport)
#include "tst_listreport.moc"
