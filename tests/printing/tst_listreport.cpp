#include "ListReport.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

const QString Title = QStringLiteral("Mum - Medications List     (Tuesday, December 1, 2026)");

QString xs(int count)
{
    return QString(count, u'x');
}

// The list "Mum" on 12000-twip paper, one page tall unless a test makes it
// shorter. The marker column's width must not count: Notes start at 6240.
// Row 1 starts at y = 1824, and a line of the 8-point table font is 192.
struct Printout
{
    explicit Printout(const QStringList &names = {"A"})
    {
        startList(list);
        for (int i = 0; i < names.size(); ++i)
            list.setCell(i + 1, MedicationList::NameColumn, names[i]);
    }
    QStringList print()
    {
        report.printPages({9999, 1000, 1100, 1200, 1300, 1400, 0});
        return printer.log;
    }
    // count entries from the first one that starts with from.
    QStringList from(const QString &start, qsizetype count)
    {
        const QStringList log = print();
        for (qsizetype i = 0; i < log.size(); ++i) {
            if (log[i].startsWith(start))
                return log.mid(i, count);
        }
        return {"<no entry " + start + ">"};
    }

    MedicationList list;
    RecordingPrinter printer;
    CharacterMeasurer measurer;
    FixedClock clock;
    ListReport report{printer, list, measurer, clock};
};

} // namespace

class TestListReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void firstPageHeader()
    {
        const QStringList expected{"font 10",
                                   "endline 10000,120 Page 1",
                                   "font 10 bold",
                                   "endline 240,960 " + Title,
                                   "font 10",
                                   "endline 0,1200 ",
                                   "line 240,1440 11520,1440",
                                   "font 8",
                                   "print 240,1440 Name",
                                   "print 1240,1440 Dosage",
                                   "print 2340,1440 Instructions",
                                   "print 3540,1440 Quantity",
                                   "print 4840,1440 Next Refill Date",
                                   "print 6240,1440 Notes",
                                   "endline 6490,1440 ",
                                   "check 1632",
                                   "line 240,1632 11520,1632",
                                   "check 1632",
                                   "endline 0,1632 ",
                                   "check 1824",
                                   "print 240,1824 A"};
        QCOMPARE(Printout().print().mid(0, expected.size()), expected);
    }

    // Down to the last filled Name, empty ones before it included, each row
    // with one rule under it.
    void lastRow_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("one medicine") << QStringList{"A"} << QStringList{"Name", "A"};
        QTest::newRow("an empty Name between filled rows")
            << QStringList{"A", "", "C"} << QStringList{"Name", "A", "", "C"};
        QTest::newRow("empty rows after the last Name")
            << QStringList{"A", "B", "", ""} << QStringList{"Name", "A", "B"};
    }
    void lastRow()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, printed);
        Printout p(names);
        const QStringList log = p.print();
        QCOMPARE(log.filter(QRegularExpression("^print 240,"))
                     .replaceInStrings(QRegularExpression("^print 240,\\d+ "), ""),
                 printed);
        QCOMPARE(log.filter(QRegularExpression("^line ")).size(), 1 + printed.size());
    }

    // Row 1's Notes up to the next check. The cell wraps when wider than
    // 5280 and is cut where a piece gets wider than 4560.
    void notesCell_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<int>("paperWidth");
        QTest::addColumn<QStringList>("printed");
        QTest::newRow("fits") << "short" << 12000
                              << QStringList{"print 6240,1824 short", "endline 6490,1824 ",
                                             "check 2016"};
        QTest::newRow("exactly as wide as the column")
            << xs(52) << 12000
            << QStringList{"print 6240,1824 " + xs(52), "endline 8840,1824 ", "check 2016"};
        QTest::newRow("two words at CR LF: no check between them")
            << "one\r\ntwo" << 12000
            << QStringList{"endline 6240,1824 one", "print 6240,2016 two", "endline 6390,2016 ",
                           "check 2208"};
        QTest::newRow("ending in CR LF: no empty line after it")
            << "one\r\n"
            << 12000 << QStringList{"print 6240,1824 one", "endline 6390,1824 ", "check 2016"};
        QTest::newRow("cut by characters, a check after each cut")
            << xs(100) << 12000
            << QStringList{"endline 6240,1824 " + xs(46),
                           "check 2016",
                           "endline 6240,2016 " + xs(46),
                           "check 2208",
                           "print 6240,2208 " + xs(8),
                           "endline 6640,2208 ",
                           "check 2400"};
        // 53 characters are only 2650 twips to the printer.
        QTest::newRow("too wide in the measuring font only")
            << xs(53) << 12000
            << QStringList{"endline 6240,1824 " + xs(46), "check 2016", "print 6240,2016 " + xs(7),
                           "endline 6590,2016 ", "check 2208"};
        // The other columns leave 280 twips: cut at 600, not at every letter.
        QTest::newRow("no room left: cut at 600 all the same")
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
        p.list.setCell(1, MedicationList::NotesColumn, notes);
        QCOMPARE(p.from("print 4840,1824 ", printed.size() + 1).mid(1), printed);
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
        QTest::newRow("no blank") << "abcdefghijkl" << 1000.0 << "abcdefghi"
                                  << "jkl";
        QTest::newRow("a rest still too wide") << "aaaa " + xs(30) << 1000.0 << "aaaa" << xs(30);
        QTest::newRow("n reaches 0: nothing assigned") << "abc" << 50.0 << "old"
                                                       << "old";
    }
    void SplitNotesLine()
    {
        QFETCH(QString, text);
        QFETCH(double, limit);
        QString first = QStringLiteral("old");
        QString rest = QStringLiteral("old");
        Printout().report.SplitNotesLine(text, limit, first, rest);
        QTEST(first, "first");
        QTEST(rest, "rest");
    }

    // A break at the first check that finds y at the bottom margin,
    // PrintableHeight - 480, or below it. Row 1 is checked at 2016, 2016
    // and 2208.
    void pageBreakAtTheBottomMargin_data()
    {
        QTest::addColumn<double>("printableHeight");
        QTest::addColumn<QStringList>("beforeBreak");
        QTest::newRow("y at the margin")
            << 2496.0 << QStringList{"endline 6240,1824 ", "check 2016"};
        QTest::newRow("y a twip above it")
            << 2497.0 << QStringList{"endline 0,2016 ", "check 2208"};
    }
    void pageBreakAtTheBottomMargin()
    {
        QFETCH(double, printableHeight);
        QFETCH(QStringList, beforeBreak);
        Printout p({"A", "B"});
        p.printer.drawingHeight = printableHeight;
        const QStringList log = p.print();
        QCOMPARE(log.mid(log.indexOf("newpage") - 2, 2), beforeBreak);
    }

    // Five rows, two to a page: each new page repeats the header in the
    // table font, and the rows go on below it.
    void headerRepeated_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("firstRow");
        QTest::newRow("Page 2") << 2 << "C";
        QTest::newRow("Page 3") << 3 << "E";
    }
    void headerRepeated()
    {
        QFETCH(int, page);
        QFETCH(QString, firstRow);
        Printout p({"A", "B", "C", "D", "E"});
        p.printer.drawingHeight = 3000;
        const QStringList log = p.print();
        QCOMPARE(log.count("newpage"), 2);
        const qsizetype at = page == 2 ? log.indexOf("newpage") : log.lastIndexOf("newpage");
        const QStringList expected{"newpage",
                                   QStringLiteral("endline 10000,120 Page %1").arg(page),
                                   "font 10 bold",
                                   "endline 240,960 " + Title,
                                   "font 8",
                                   "endline 0,1200 ",
                                   "line 240,1392 11520,1392",
                                   "print 240,1392 Name",
                                   "print 1240,1392 Dosage",
                                   "print 2340,1392 Instructions",
                                   "print 3540,1392 Quantity",
                                   "print 4840,1392 Next Refill Date",
                                   "print 6240,1392 Notes",
                                   "endline 6490,1392 ",
                                   "line 240,1584 11520,1584",
                                   "endline 0,1584 ",
                                   "print 240,1776 " + firstRow};
        QCOMPARE(log.mid(at, expected.size()), expected);
    }

    // Lines wider than 11100 twips (111 characters) are split in two.
    void generalNotes_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QStringList>("printed");
        QStringList words;
        for (char letter = 'a'; letter < 'm'; ++letter)
            words << QString(9, QChar::fromLatin1(letter));
        QTest::newRow("empty: no heading") << "" << QStringList{};
        QTest::newRow("one word then CR LF: two lines")
            << "word\r\n"
            << QStringList{"General notes:", "     > word", "     > "};
        QTest::newRow("too wide: split at the last blank")
            << words.join(' ')
            << QStringList{"General notes:", "     > " + words.mid(0, 11).join(' '),
                           "           " + words[11]};
        QTest::newRow("a rest still too wide, printed whole")
            << "aaaa " + xs(200)
            << QStringList{"General notes:", "     > aaaa", "           " + xs(200)};
    }
    void generalNotes()
    {
        QFETCH(QString, notes);
        QFETCH(QStringList, printed);
        Printout p;
        p.list.setNotes(notes);
        const QStringList log = p.print();
        const QStringList texts = p.printer.texts();
        const qsizetype heading = texts.indexOf("General notes:");
        QCOMPARE(heading < 0 ? QStringList() : texts.mid(heading), printed);
        QCOMPARE(log.contains("font 8 bold"), !printed.isEmpty());
    }
};

QTEST_MAIN(TestListReport)
#include "tst_listreport.moc"
