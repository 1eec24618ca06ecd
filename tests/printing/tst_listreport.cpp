#include "FontTextMeasurer.h"
#include "PrintingFixture.h"
#include "RecordingPrinter.h"
#include "Typefaces.h"

#include <QRegularExpression>

// The report against the recording printer. Texts are 100 twips a character
// (CharacterMeasurer) and the table font is 10 points, so every line, the
// title's included, is 240 twips high. Page 1's heading is at y = 1440, row 1
// at 1920, and a row of one line takes 480 with the empty line after it; a
// page after a break in the table starts its rows at 1920 as well.
class TestListReport : public QObject
{
    Q_OBJECT

    static inline const QString Title = "Mum - Medications List     (Tuesday, December 1, 2026)";
    // Columns at 240, 1240, 2240, 3640, 4640 and 6440; Notes lines 50 characters.
    static constexpr ListReport::ColumnWidths Fitting{480, 1000, 1000, 1400, 1000, 1800, 0};

    struct Printout
    {
        RecordingPrinter printer;
        MedicationList list;
        CharacterMeasurer measurer;
        TestClock clock;

        Printout(const QStringList &names, int fontSize = 10, bool bold = false)
        {
            list.writeHeaderTexts();
            list.setCurrentListName("Mum");
            ListSettings settings;
            settings.fontSize = fontSize;
            settings.bold = bold;
            list.setSettings(settings);
            for (int i = 0; i < names.size(); ++i)
                list.setCell(i + 1, MedicationList::NameColumn, names[i]);
        }
        // Every text as "TEXT @PAGE:X,Y" and every rule as "rule @PAGE:Y".
        QStringList outputs() const
        {
            QStringList entries;
            for (const RecordingPrinter::Output &o : printer.printed)
                entries
                    << (o.isRule()
                            ? QString("rule @%1:%2").arg(o.page).arg(o.y)
                            : QString("%1 @%2:%3,%4").arg(o.text).arg(o.page).arg(o.x).arg(o.y));
            return entries;
        }
    };

    // "A", "B", ...
    static QStringList letters(int count)
    {
        QStringList names;
        for (int i = 0; i < count; ++i)
            names << QString(QChar(u'A' + i));
        return names;
    }
    static QString notesLines(const QString &stem, int count)
    {
        QStringList lines;
        for (int i = 1; i <= count; ++i)
            lines << stem + QString::number(i);
        return lines.join("\r\n");
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Typefaces::installSubstitutions();
    }

    // Each row: the Names from row 1 on, further cells as "ROW,COLUMN:text", the
    // general notes and the printable height; then entries that must come out
    // in this order, and ones ("!" first) that must not come out at all.
    void printPages_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("generalNotes");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("expected");
        const QStringList a{"A"};
        QTest::newRow("first page: the heading at the grid's columns")
            << a << QStringList{} << "" << 15000
            << "Page 1 @1:10000,120 | " + Title +
                   " @1:240,960 | rule @1:1440 | Name @1:240,1440 | Dosage @1:1240,1440 | "
                   "Instructions @1:2240,1440 | Quantity @1:3640,1440 | Next Refill Date "
                   "@1:4640,1440 | Notes @1:6440,1440 | rule @1:1680 | A @1:240,1920 | rule "
                   "@1:2160";
        QTest::newRow("an empty Name between filled rows prints; rows after the last do not")
            << QStringList{"A", "", "C"} << QStringList{"2,2:b", "4,2:d"} << "" << 15000
            << "A @1:240,1920 | b @1:1240,2400 | rule @1:2640 | C @1:240,2880 | !d";

        // Row 10 holds five lines of Notes at y = 6240; the page holds k of them.
        const QStringList eleven = letters(11);
        const QStringList five{"10,6:" + notesLines("n", 5)};
        const QString nextPage = " | Page 2 @2:10000,120 | Name @2:240,1440 | ";
        QTest::newRow("five Notes lines, the first on the page's last line")
            << eleven << five << "" << 6960
            << "J @1:240,6240 | n1 @1:6440,6240" + nextPage +
                   "n2 @2:6440,1920 | n3 @2:6440,2160 | n4 @2:6440,2400 | n5 @2:6440,2640 | "
                   "rule @2:2880 | K @2:240,3120";
        QTest::newRow("five Notes lines, two on the page")
            << eleven << five << "" << 7200
            << "n1 @1:6440,6240 | n2 @1:6440,6480" + nextPage +
                   "n3 @2:6440,1920 | n4 @2:6440,2160 | n5 @2:6440,2400 | rule @2:2640 | K "
                   "@2:240,2880";
        QTest::newRow("five Notes lines, three on the page")
            << eleven << five << "" << 7440
            << "n3 @1:6440,6720" + nextPage +
                   "n4 @2:6440,1920 | n5 @2:6440,2160 | rule @2:2400 | K @2:240,2640";
        QTest::newRow("five Notes lines, four on the page")
            << eleven << five << "" << 7680
            << "n4 @1:6440,6960" + nextPage + "n5 @2:6440,1920 | rule @2:2160 | K @2:240,2400";
        QTest::newRow("five Notes lines, the last on the page's last line")
            << eleven << five << "" << 7920
            << "n5 @1:6440,7200 | rule @1:7440" + nextPage + "K @2:240,2160";
        QTest::newRow("five Notes lines with room to spare")
            << eleven << five << "" << 8400 << "n5 @1:6440,7200 | rule @1:7440 | K @1:240,7680";

        // 53 lines fit below the heading of a page 15000 high.
        QString eighty;
        for (int i = 1; i <= 80; ++i)
            eighty += QString("line %1 @%2:6440,%3 | ")
                          .arg(i)
                          .arg(i <= 53 ? 1 : 2)
                          .arg(1920 + 240 * (i <= 53 ? i - 1 : i - 54));
        QTest::newRow("an 80-line Notes cell")
            << QStringList{"A", "B"} << QStringList{"1,6:" + notesLines("line ", 80)} << "" << 15000
            << eighty + "rule @2:8400 | B @2:240,8640";

        QTest::newRow("Notes ending in CR LF open no line of their own")
            << QStringList{"A", "B"} << QStringList{"1,6:one\r\n"} << "" << 15000
            << "one @1:6440,1920 | rule @1:2160 | B @1:240,2400";
        QTest::newRow("a lone CR or LF breaks the line; nothing is lost")
            << QStringList{"Ann\rMarie"} << QStringList{"1,6:x\ny"} << "" << 15000
            << "Ann @1:240,1920 | x @1:6440,1920 | Marie @1:240,2160 | y @1:6440,2160 | rule "
               "@1:2400";
        QTest::newRow("Notes wrapped at the last blank that fits")
            << a
            << QStringList{"1,6:Take on an empty stomach with a full glass of water, never with "
                           "milk"}
            << "" << 15000
            << "Take on an empty stomach with a full glass of @1:6440,1920 | water, never with "
               "milk @1:6440,2160 | rule @1:2400";
        // Widths 1000, 1000, 16020, 1000, 1800 need 20820 of 10680: each column
        // gives up 64.9% of what it has beyond its heading and longest word
        // (480, 280, 14700, 80, 80), leaving 688, 818, 6477, 948 and 1748.
        const QString dose = "dose";
        const auto doses = [&](int count) { return QStringList(count, dose).join(' '); };
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
        QTest::newRow("general notes wrapped at blanks, the rest split again")
            << a << QStringList{} << "aaaa " + QString(150, u'y') + " b" << 15000
            << marker + "aaaa @1:240,2880 | " + continuation + QString(101, u'y') +
                   " @1:240,3120 | " + continuation + QString(49, u'y') + " b @1:240,3360";
        QTest::newRow("general notes of one word then CR LF")
            << a << QStringList{} << "word\r\n"
            << 15000 << marker + "word @1:240,2880 | " + marker + " @1:240,3120";
        QTest::newRow("a break among the general notes: no table heading")
            << a << QStringList{} << notesLines("g", 20) << 6000
            << marker + "g11 @1:240,5280 | Page 2 @2:10000,120 | " + Title + " @2:240,960 | " +
                   marker + "g12 @2:240,1440 | !Name @2 | !rule @2";
        QTest::newRow("the last row at the page's foot leaves no empty page")
            << QStringList{"A", "B"} << QStringList{} << "" << 3120
            << "B @1:240,2400 | rule @1:2640 | !Page 2";
    }
    void printPages()
    {
        QFETCH(QStringList, names);
        Printout out(names);
        QFETCH(QStringList, cells);
        for (const QString &cell : cells) {
            const qsizetype colon = cell.indexOf(u':');
            out.list.setCell(cell.section(u',', 0, 0).toInt(),
                             cell.first(colon).section(u',', 1, 1).toInt(), cell.mid(colon + 1));
        }
        QFETCH(QString, generalNotes);
        out.list.setNotes(generalNotes);
        QFETCH(int, height);
        out.printer.drawingHeight = height;
        ListReport(out.printer, out.list, out.measurer, out.clock).printPages(Fitting);

        const QStringList outputs = out.outputs();
        const QString all = outputs.join('\n');
        qsizetype from = 0;
        QFETCH(QString, expected);
        for (const QString &entry : expected.split(" | ")) {
            if (entry.startsWith(u'!')) {
                QVERIFY2(!all.contains(QRegularExpression(
                             "^" + QRegularExpression::escape(entry.mid(1)) + "[ :]",
                             QRegularExpression::MultilineOption)),
                         qPrintable(entry + " in\n" + all));
                continue;
            }
            const qsizetype at = outputs.indexOf(entry, from);
            QVERIFY2(at >= 0, qPrintable(entry + " not after entry " + QString::number(from) +
                                         " of\n" + all));
            from = at + 1;
        }
        // Everything lies inside the page, and each page after the first
        // opens with its number.
        for (const RecordingPrinter::Output &o : out.printer.printed)
            QVERIFY2(o.y + (o.isRule() ? 0 : o.size * 24) <= height, qPrintable(o.text));
        for (int page = 2; page <= out.printer.pageNumber(); ++page)
            QVERIFY(all.contains(QString("Page %1 @%1:10000,120").arg(page)));
    }

    // Three pages or more, with breaks in the table and among the general
    // notes. Each row: the table font; then the fonts each kind of text came
    // out in, on every page.
    void fonts_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Standard") << 8 << false
                                  << "General notes: 8 bold | notes 8 regular | page numbers 10 "
                                     "regular | table 8 regular | title 10 bold";
        QTest::newRow("Large bold") << 10 << true
                                    << "General notes: 10 bold | notes 10 regular | page numbers "
                                       "10 regular | table 10 bold | title 10 bold";
    }
    void fonts()
    {
        QFETCH(int, size);
        QFETCH(bool, bold);
        Printout out(letters(20), size, bold);
        out.list.setNotes(notesLines("g", 30));
        out.printer.drawingHeight = 6000;
        ListReport(out.printer, out.list, out.measurer, out.clock).printPages(Fitting);
        QVERIFY(out.printer.pageNumber() >= 3);
        QMap<QString, QSet<QString>> fonts;
        for (const RecordingPrinter::Output &o : out.printer.printed) {
            if (o.isRule())
                continue;
            const QString kind = o.text.startsWith("Page ")   ? "page numbers"
                                 : o.text == Title            ? "title"
                                 : o.text.startsWith("     ") ? "notes"
                                 : o.text.startsWith("Gen")   ? o.text
                                                              : "table";
            fonts[kind] << QString("%1 %2").arg(o.size).arg(o.bold ? "bold" : "regular");
        }
        QStringList seen;
        for (auto kind = fonts.cbegin(); kind != fonts.cend(); ++kind)
            seen << kind.key() + " " + QStringList(kind->cbegin(), kind->cend()).join(", ");
        QTEST(seen.join(" | "), "expected");
    }

    // A list whose texts are measured in the measuring font itself, with the
    // grid's widths from the same font: each column as wide as its widest
    // text and some padding. Each row: the page, the table font, an
    // Instructions text, the padding; then whether the grid was too wide for
    // the page.
    void gridWiderThanThePage_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("instructions");
        QTest::addColumn<int>("padding");
        QTest::addColumn<bool>("narrowed");
        const QString longest =
            "Take one tablet by mouth twice daily with breakfast and dinner; swallow it whole "
            "with a full glass of water, and do not crush, chew or split it before taking.";
        const QString shortest = "Twice daily after food";
        QTest::newRow("portrait, Standard") << false << 8 << false << longest << 120 << true;
        QTest::newRow("portrait, Large bold") << false << 10 << true << longest << 120 << true;
        QTest::newRow("landscape, Standard") << true << 8 << false << longest << 120 << true;
        QTest::newRow("landscape, Large bold") << true << 10 << true << longest << 120 << true;
        QTest::newRow("landscape, Large bold, short: as the grid has it")
            << true << 10 << true << shortest << 120 << false;
        // The screen pads its cells by less than the page needs.
        QTest::newRow("a grid that leaves less than 120 beside its texts")
            << false << 10 << true << shortest << 20 << false;
        // Wide enough for the page, but for the 600 that Notes keep.
        QTest::newRow("a grid that leaves Notes less than 600")
            << false << 10 << true << shortest << 480 << true;
    }
    void gridWiderThanThePage()
    {
        QFETCH(int, size);
        QFETCH(bool, bold);
        Printout out({"Metformin", "Hydrochlorothiazide"}, size, bold);
        QFETCH(QString, instructions);
        const QStringList rows[]{
            {"500 mg", instructions, "60 tablets", "12/1/2026", "With food\r\nCheck sugar"},
            {"12.5 mg", "Once daily in the morning", "30", "Tuesday, December 1, 2026",
             "Report dizziness or a rash to Dr. Weber at once"}};
        for (int row = 1; row <= 2; ++row) {
            for (int column = 2; column <= 6; ++column)
                out.list.setCell(row, column, rows[row - 1][column - 2]);
        }
        QFont font("MS Sans Serif");
        font.setPointSize(size);
        font.setBold(bold);
        const FontTextMeasurer measurer(font);
        QFETCH(int, padding);
        ListReport::ColumnWidths grid{480};
        for (int column = 1; column < 6; ++column) {
            for (int row = 0; row <= 2; ++row)
                grid[column] = std::max(
                    {grid[column], 720,
                     int(std::ceil(measurer.width(out.list.cell(row, column)))) + padding});
        }
        QFETCH(bool, landscape);
        out.printer.setOrientation(landscape ? PrinterService::Landscape
                                             : PrinterService::Portrait);
        const int page = out.printer.pageWidth();
        ListReport report(out.printer, out.list, measurer, out.clock);
        report.printPages(grid);

        QTEST(report.layout().narrowed(), "narrowed");
        QVERIFY(page - 480 - report.ColumnX(6) >= 600);
        int left = 240;
        const bool asTheGridHasIt = !report.layout().narrowed() && padding == 120;
        for (int column = 1; column <= 6 && asTheGridHasIt; left += grid[column++])
            QCOMPARE(report.ColumnX(column), left);
        // Each column's text, whole words in order, ends 120 short of the
        // next column, and Notes where the rules end.
        QMap<int, QStringList> printed;
        for (const RecordingPrinter::Output &o : out.printer.printed) {
            if (o.isRule() || o.y < 1440 || o.text.startsWith("Page"))
                continue;
            int column = 6;
            while (column > 1 && report.ColumnX(column) != o.x)
                --column;
            QCOMPARE(report.ColumnX(column), o.x);
            const int end = column < 6 ? report.ColumnX(column + 1) - 120 : page - 480;
            QVERIFY2(o.x + measurer.width(o.text) <= end, qPrintable(o.text));
            printed[column] << o.text;
        }
        for (int column = 1; column <= 6; ++column) {
            QStringList cells;
            for (int row = 0; row <= 2; ++row)
                cells << out.list.cell(row, column);
            QCOMPARE(printed[column].join(' '), cells.join(' ').simplified());
        }
    }
};

QTEST_MAIN(TestListReport)
#include "tst_listreport.moc"
