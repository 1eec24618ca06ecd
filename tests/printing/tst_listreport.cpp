#include "Doubles.h"
#include "LineWrapper.h"
#include "ListReport.h"
#include "RecordingPrinter.h"
#include "TextMeasurer.h"

#include <QTest>

#include <algorithm>

// Every character is 100 twips wide, so wrapping is worked out by counting.
class CharacterMeasurer : public TextMeasurer
{
public:
    double width(const QString &text) const override
    {
        return 100.0 * std::ranges::max(LineWrapper::userLines(text), {}, &QString::size).size();
    }
    double height(const QString &) const override { return 0; } // printing reads no heights
};

// The printed report: lines wrapped at blanks, and the pages against the
// recording printer, where every line is 240 twips high. Page 1's heading is
// at y = 1440, row 1 at 1920, as after a break in the table; a row of one
// line takes 480 with the empty line after it.
class TestListReport : public QObject
{
    Q_OBJECT

    static inline const QString Title = "Mum - Medications List     (Tuesday, December 1, 2026)";
    // Columns at 240, 1240, 2240, 3640, 4640 and 6440; Notes lines 50 characters.
    static constexpr ListReport::ColumnWidths Fitting{480, 1000, 1000, 1400, 1000, 1800, 0};

    static QString lines(const QString &stem, int count)
    {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << stem + QString::number(i);
        return lines.join("\r\n");
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each row: a text, a limit in characters of 100 twips, and its lines.
    void wrap_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("limit");
        QTest::addColumn<QString>("lines");
        QTest::newRow("at a blank just after what fits") << "abcde fgh" << 5.0 << "abcde / fgh";
        QTest::newRow("a dose stays whole") << "take 10 mg" << 6.0 << "take / 10 mg";
        QTest::newRow("a word longer than a line, each rest split again")
            << "ab cdefghijklm" << 4.0 << "ab / cdef / ghij / klm";
        QTest::newRow("the blanks at a cut start no line") << "one   two" << 4.0 << "one / two";
        QTest::newRow("not one character fits: no line of blanks") << "ab c" << 0.5 << "a / b / c";
        QTest::newRow("a character beyond the basic plane stays whole")
            << "a\U0001F600b" << 1.0 << "a / \U0001F600 / b";
    }
    void wrap()
    {
        const CharacterMeasurer measurer;
        QFETCH(QString, text);
        QFETCH(double, limit);
        QTEST(LineWrapper(measurer).wrap(text, limit * 100).join(" / "), "lines");
    }

    // Each row: the Names from row 1 on, further cells as "ROW,COLUMN:text",
    // the general notes and the printable height; then texts as "TEXT
    // @PAGE:X,Y" and rules as "rule @PAGE:Y" that must come out in this
    // order. The table is in 10-point bold.
    void printPages_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("generalNotes");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("expected");
        const QStringList a{"A"};
        QTest::newRow("an empty Name between filled rows prints; rows after the last do not")
            << QStringList{"A", "", "C"} << QStringList{"2,2:b", "49,2:d"} << "" << 15000
            << "A @1:240,1920 | b @1:1240,2400 | rule @1:2640 | C @1:240,2880";
        // Row 10's five Notes lines start at y = 6240, k of them on page 1.
        for (int k = 1; k <= 5; ++k) {
            QString expected =
                QString("J @1:240,6240 | n%1 @1:6440,%2 | ").arg(k).arg(6000 + 240 * k);
            expected += (k == 5 ? "rule @1:7440 | " : "") +
                        QString("Page 2 @2:10000,120 | Name @2:240,1440");
            int y = 1920;
            for (int n = k + 1; n <= 5; ++n, y += 240)
                expected += QString(" | n%1 @2:6440,%2").arg(n).arg(y);
            expected += (k < 5 ? QString(" | rule @2:%1").arg(y) : "") +
                        QString(" | K @2:240,%1").arg(y + 240);
            QTest::addRow("five Notes lines, %d on the page", k)
                << QString("ABCDEFGHIJK").split("", Qt::SkipEmptyParts)
                << QStringList{"10,6:" + lines("n", 5)} << "" << 6720 + 240 * k << expected;
        }
        QTest::newRow("a text filling its column keeps 120 from the next")
            << QStringList{"ABCDEFGHI"} << QStringList{"1,2:b"} << "" << 15000
            << "Dosage @1:1260,1440 | ABCDEFGHI @1:240,1920 | b @1:1260,1920";
        QTest::newRow("a grid that leaves Notes less than 600 is narrowed")
            << a << QStringList{"1,3:" + QString(58, u'x')} << "" << 15000
            << "Dosage @1:1219,1440 | Instructions @1:2206,1440 | Notes @1:10918,1440";
        // 53 lines fit below the heading of a page 15000 high.
        QTest::newRow("an 80-line Notes cell")
            << QStringList{"A", "B"} << QStringList{"1,6:" + lines("line ", 80)} << "" << 15000
            << "line 53 @1:6440,14400 | Page 2 @2:10000,120 | line 54 @2:6440,1920 | line 80 "
               "@2:6440,8160 | rule @2:8400 | B @2:240,8640";
        QTest::newRow("a lone CR or LF breaks a line, a CR LF at the end opens none")
            << QStringList{"Ann\rMarie", "B"} << QStringList{"1,6:x\ny\r\n"} << "" << 15000
            << "Ann @1:240,1920 | x @1:6440,1920 | Marie @1:240,2160 | y @1:6440,2160 | rule "
               "@1:2400 | B @1:240,2640";
        // Widths 1000, 1000, 16020, 1000, 1800 need 20820 of 10680: each column
        // gives up 64.9% of what it has beyond its heading and longest word
        // (480, 280, 14700, 80, 80), leaving 688, 818, 6477, 948 and 1748.
        const auto doses = [](int count) { return QStringList(count, "dose").join(' '); };
        QTest::newRow("a grid wider than the page is narrowed in proportion")
            << a << QStringList{"1,3:" + doses(32)} << "" << 15000
            << "Name @1:240,1440 | Dosage @1:928,1440 | Instructions @1:1746,1440 | Quantity "
               "@1:8223,1440 | Next Refill Date @1:9171,1440 | Notes @1:10919,1440 | A @1:240,1920 "
               "| " +
                   doses(12) + " @1:1746,1920 | " + doses(12) + " @1:1746,2160 | " + doses(8) +
                   " @1:1746,2400 | rule @1:2640";
        // The notes start at y = 2880; lines end at the rules' end, 11520.
        const QString marker = "     > ", continuation(11, u' ');
        QTest::newRow("a 330-character word in the general notes")
            << a << QStringList{} << QString(330, u'x') << 15000
            << "General notes: @1:240,2640 | " + marker + QString(105, u'x') + " @1:240,2880 | " +
                   continuation + QString(101, u'x') + " @1:240,3120 | " + continuation +
                   QString(101, u'x') + " @1:240,3360 | " + continuation + QString(23, u'x') +
                   " @1:240,3600";
        QTest::newRow("a break among the general notes: no table heading")
            << a << QStringList{} << lines("g", 20) << 6000
            << marker + "g11 @1:240,5280 | Page 2 @2:10000,120 | " + Title + " @2:240,960 | " +
                   marker + "g12 @2:240,1440";
    }
    void printPages()
    {
        MedicationList list;
        list.writeHeaderTexts();
        list.setCurrentListName("Mum");
        ListSettings settings;
        settings.fontSize = 10;
        settings.bold = true;
        list.setSettings(settings);
        QFETCH(QStringList, names);
        for (int i = 0; i < names.size(); ++i)
            list.setCell(i + 1, MedicationList::NameColumn, names[i]);
        QFETCH(QStringList, cells);
        for (const QString &cell : cells) {
            const qsizetype colon = cell.indexOf(u':');
            list.setCell(cell.section(u',', 0, 0).toInt(),
                         cell.first(colon).section(u',', 1, 1).toInt(), cell.mid(colon + 1));
        }
        QFETCH(QString, generalNotes);
        list.setNotes(generalNotes);
        RecordingPrinter printer;
        QFETCH(int, height);
        printer.drawingHeight = height;
        const CharacterMeasurer measurer;
        const TestClock clock;
        ListReport(printer, list, measurer, clock).printPages(Fitting);

        QStringList outputs;
        for (const RecordingPrinter::Output &o : printer.printed) {
            outputs << (o.text.isEmpty()
                            ? QString("rule @%1:%2").arg(o.page).arg(o.y)
                            : QString("%1 @%2:%3,%4").arg(o.text).arg(o.page).arg(o.x).arg(o.y));
            QVERIFY2(o.y + (o.text.isEmpty() ? 0 : o.size * 24) <= height, qPrintable(o.text));
            // The table's bold never reaches the page numbers.
            if (o.text.startsWith("Page "))
                QVERIFY2(o.size == 10 && !o.bold, qPrintable(o.text));
        }
        qsizetype from = 0;
        QFETCH(QString, expected);
        for (const QString &entry : expected.split(" | ")) {
            from = outputs.indexOf(entry, from) + 1;
            QVERIFY2(from > 0, qPrintable(entry + " not in order in\n" + outputs.join('\n')));
        }
        // No page more than the last entry's: no rows after the last Name.
        QCOMPARE(printer.pageNumber(), expected.section(u'@', -1).section(u':', 0, 0).toInt());
    }
};

QTEST_MAIN(TestListReport)
#include "tst_listreport.moc"
