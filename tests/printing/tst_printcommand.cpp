#include "PrintingFixture.h"
#include "RecordingPrinter.h"

#include <QRegularExpression>

class TestPrintCommand : public QObject
{
    Q_OBJECT

    static inline const QString Title = "Mum - Medications List     (Tuesday, December 1, 2026)";
    static QString xs(int count) { return QString(count, u'x'); }
    static void addRow(const char *name, const QStringList &names, const QString &notes,
                       const QString &generalNotes, const QString &expected,
                       QSize paper = {12000, 15000})
    {
        QTest::newRow(name) << names << notes << generalNotes << paper << expected;
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // Each row: the Names, row 1's Notes, the general notes, the paper's width and printable
    // height; then a stretch of the printer's log, entries joined by " | ", "(end)" its end.
    // The marker column's width must not count, so Notes start at 6240. Row 1 is at y = 1824
    // and each row takes 384.
    void printPages_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("generalNotes");
        QTest::addColumn<QSize>("paper");
        QTest::addColumn<QString>("expected");
        const QStringList a{"A"};
        addRow("first page header and column positions", a, "", "",
               "endline 10000,120 Page 1 | bold on | endline 240,960 " + Title +
                   " | bold off | endline 0,1200 | bold off | line 240,1440 11520,1440 | "
                   "print 240,1440 Name | print 1240,1440 Dosage | print 2340,1440 Instructions | "
                   "print 3540,1440 Quantity | print 4840,1440 Next Refill Date | "
                   "print 6240,1440 Notes");
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
               "endline 6240,1824 abcdefg | check 2016 | print 6240,2016 hij", {7000, 15000});
        // The margin is 2496 - 480 = 2016, reached by row 1's second check.
        addRow("page break with y at the bottom margin", {"A", "B"}, "", "",
               "endline 6240,1824 | check 2016 | newpage", {12000, 2496});
        addRow("no break with y a twip above it", {"A", "B"}, "", "",
               "check 2016 | endline 0,2016 | check 2208 | newpage", {12000, 2497});
        const QStringList five{"A", "B", "C", "D", "E"};
        addRow("Page 2", five, "", "",
               "newpage | endline 10000,120 Page 2 | bold on | endline 240,960 " + Title +
                   " | bold off | endline 0,1200 | bold off | line 240,1392 11520,1392 | "
                   "print 240,1392 Name | print 1240,1392 Dosage | print 2340,1392 Instructions | "
                   "print 3540,1392 Quantity | print 4840,1392 Next Refill Date | "
                   "print 6240,1392 Notes | endline 6490,1392 | line 240,1584 11520,1584 | "
                   "endline 0,1584 | print 240,1776 C",
               {12000, 3000});
        addRow("Page 3", five, "", "", "newpage | endline 10000,120 Page 3 | bold on",
               {12000, 3000});
        // Lines wider than 11100 twips (111 characters) are split in two.
        addRow("general notes of one word then CR LF", a, "", "word\r\n",
               "bold on | endline 240,2400 General notes: | bold off | check 2592 | "
               "endline 240,2592      > word | check 2784 | endline 240,2784      > | check 2976 "
               "| (end)");
        addRow("a general notes line split at the last blank", a, "", xs(106) + " xx yy",
               "endline 240,2592      > " + xs(106) + " xx | check 2784 | endline 240,2784" +
                   QString(12, ' ') + "yy | check 2976");
        addRow("a general notes line without blanks", a, "", xs(200),
               "endline 240,2592      > " + xs(110) +
                   " | check 2784 | endline 240,2784            " + xs(90) + " | check 2976");
        addRow("the rest of a general notes line still too wide", a, "", "aaaa " + xs(200),
               "endline 240,2592      > aaaa | check 2784 | endline 240,2784            " +
                   xs(200) + " | check 2976 | (end)");
        // Not even one character is narrower than 100 twips: nothing to split.
        addRow("a general notes line with no room at all", a, "", "a b",
               "endline 240,2592      > | check 2784 | endline 240,2784 | check 2976 | (end)",
               {1000, 15000});
    }
    void printPages()
    {
        RecordingPrinter printer;
        StandInWindow w(printer);
        QFETCH(QStringList, names);
        for (int i = 0; i < names.size(); ++i)
            w.list.setCell(i + 1, MedicationList::NameColumn, names[i]);
        QFETCH(QString, notes);
        w.list.setCell(1, MedicationList::NotesColumn, notes);
        QFETCH(QString, generalNotes);
        w.list.setNotes(generalNotes);
        QFETCH(QSize, paper);
        printer.paperWidth = paper.width();
        printer.drawingHeight = paper.height();
        ListReport(printer, w.list, w.measurer, w.clock)
            .printPages({9999, 1000, 1100, 1200, 1300, 1400, 0});
        const QString log = printer.log.join(" | ") + " | (end)";
        QFETCH(QString, expected);
        QVERIFY2(log.contains(expected), qPrintable(log));
    }

    // Each row: the list's printer, also the current one, the printers, and the
    // steps in the dialog, besides "vanish X", "refuse" (the job) and "call
    // off" (as in a file dialog); then the printer saved with the list, the
    // current one, ChangesMade, the page width at each fitting of the columns,
    // how the document ended and what the user was told.
    void PrintList_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QStringList>("printers");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("outcome");
        const QStringList two{"Office", "Kitchen"};
        QTest::newRow("never printed: nothing selected until chosen")
            << "" << two << QStringList{"print", "choose Kitchen", "print"}
            << "Kitchen Kitchen yes fit 12000 fit 12000 end";
        QTest::newRow("saved printer installed: landscape, then back to portrait")
            << "Kitchen" << two << QStringList{"landscape", "print"}
            << "Kitchen Kitchen yes fit 15840 fit 12000 end";
        QTest::newRow("saved printer gone: nothing selected")
            << "Garage" << two << QStringList{"print"} << "Garage Garage no";
        QTest::newRow("Enter with the same printer still marks the list changed")
            << "Office" << two << QStringList{"enter"}
            << "Office Office yes fit 12000 fit 12000 end";
        QTest::newRow("Cancel") << "Office" << two
                                << QStringList{"choose Kitchen", "landscape", "cancel"}
                                << "Office Office no";
        QTest::newRow("the close box") << "Office" << two << QStringList{} << "Office Office no";
        QTest::newRow("no printers: Enter does nothing, Esc cancels")
            << "" << QStringList{} << QStringList{"enter", "esc"} << "  no";
        QTest::newRow("the printer went away while the dialog was open")
            << "Office" << two << QStringList{"choose Kitchen", "vanish Kitchen", "print"}
            << "Office Office no tell Message: Printer not found";
        QTest::newRow("the printer refuses the job")
            << "Office" << two << QStringList{"refuse", "landscape", "print"}
            << "Office Office yes fit 15840 fit 12000 end abort warn Pillora: The list could not "
               "be printed.\n\nrefused";
        QTest::newRow("the file dialog is cancelled: silent")
            << "Office" << two << QStringList{"call off", "print"}
            << "Office Office yes fit 12000 fit 12000 end abort";
    }
    void PrintList()
    {
        RecordingPrinter printer;
        StandInWindow w(printer);
        QFETCH(QString, saved);
        w.list.setListPrinterName(saved);
        printer.current = saved;
        QFETCH(QStringList, printers);
        printer.printers = printers;
        QFETCH(QStringList, steps);
        w.print(steps, [&](const QString &step) {
            if (step.startsWith("vanish "))
                printer.printers.removeAll(step.section(u' ', 1));
            else if (step == "refuse")
                printer.failure = "refused";
            else
                printer.callOff = true;
        });
        QStringList outcome{w.list.ListPrinterName(), printer.current,
                            w.list.ChangesMade() ? "yes" : "no"};
        for (int width : w.fittedToPageWidths)
            outcome << "fit " + QString::number(width);
        outcome << printer.log.filter(QRegularExpression("^(end|abort)$")) << w.prompter.log;
        QTEST(outcome.join(' '), "outcome");
        QVERIFY(!w.command.choices().CancelPrint);
    }
};

QTEST_MAIN(TestPrintCommand)
#include "tst_printcommand.moc"
