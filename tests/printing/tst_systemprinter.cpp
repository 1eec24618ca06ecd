#include "CellEditor.h"
#include "DataFolder.h"
#include "FontTextMeasurer.h"
#include "Form1.h"
#include "ListCommands.h"
#include "ListHistory.h"
#include "ListStore.h"
#include "MedicationGrid.h"
#include "PrintingFixture.h"
#include "RowCommands.h"
#include "SystemPrinterService.h"
#include "Typefaces.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>

#include <signal.h>
#include <sys/prctl.h>

namespace {

// The main window with the real printer service, and a list open.
struct SilentServerWindow
{
    explicit SilentServerWindow(PrinterService &printers) : printers(printers)
    {
        list.setCurrentListName("Mum");
        form.show();
    }
    PrinterService &printers;
    QTemporaryDir folder;
    DataFolder dataFolder{folder.path()};
    ListStore store{dataFolder};
    MedicationList list;
    TestClock clock;
    ScriptedPrompter prompter;
    RecordingAddressOpener opener;
    TestFileAssociations associations;
    FontTextMeasurer measurer{QFont("MS Sans Serif")};
    ListHistory history{list};
    ListCommands listCommands{list, store, prompter, history};
    RowCommands rowCommands{list, history, prompter, opener};
    PrintCommand printCommand{list, printers, measurer, clock, prompter};
    Form1 form{MainWindowParts{list, history, store, listCommands, rowCommands, printCommand, clock,
                               prompter, opener, associations, printers, measurer}};
};

// 49 medicines with five lines of Notes each, the 25th with 80, the first with
// 160 characters of Instructions; a word of 330 letters in the general notes.
// No word of the list is a page number.
void fillForTheFaults(MedicationList &list, const QString &longWord)
{
    QStringList eighty;
    for (int line = 1; line <= 80; ++line)
        eighty << QString("Line%1 of the notes").arg(line);
    for (int row = 1; row <= MedicationList::LastDataRow; ++row) {
        list.setCell(row, 1, "Medicine " + QString::number(row));
        list.setCell(row, 2, QString("%1 mg").arg(100 + 5 * row));
        list.setCell(row, 3, "Once daily after food");
        list.setCell(row, 4, "36 tabs");
        list.setCell(row, 5, "12/1/2026");
        list.setCell(row, 6,
                     row == 25 ? eighty.join("\r\n")
                               : "By Dr. Weber\r\nWith food\r\nNo alcohol\r\nKeep "
                                 "cool\r\nRefill soon");
    }
    list.setCell(1, 3,
                 "Take one tablet by mouth twice daily with breakfast and dinner; swallow it "
                 "whole with a full glass of water, and do not crush, chew or split it first.");
    list.setNotes("Pharmacy on Main Street\r\n" + longWord + "\r\nCall before noon");
}

struct PdfWord
{
    QString text;
    QRectF box;
    QSizeF page;
    int pageNumber = 0;
};

// Every word of a PDF with its box in points, as pdftotext finds them.
QList<PdfWord> readWords(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
    pdftotext.waitForFinished();
    const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
    static const QRegularExpression entry(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.-]+)" yMin="([\d.-]+)" )re"
        R"re(xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re");
    QList<PdfWord> words;
    QSizeF page;
    int pageNumber = 0;
    for (const QRegularExpressionMatch &match : entry.globalMatch(html)) {
        if (!match.captured(1).isEmpty()) {
            page = {match.captured(1).toDouble(), match.captured(2).toDouble()};
            ++pageNumber;
            continue;
        }
        const QRectF box(QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()),
                         QPointF(match.captured(5).toDouble(), match.captured(6).toDouble()));
        // Entities stay: no word checked holds &, <, > or quotes.
        words << PdfWord{match.captured(7), box, page, pageNumber};
    }
    return words;
}

} // namespace

// The real printer service, on PDF files and on a CUPS scheduler of the test's
// own (cups-daemon, cups-client) that keeps to a temporary folder.
class TestSystemPrinter : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cups;
    QProcess m_cupsd;
    QString m_cupsProblem;

    void write(const QString &name, const QString &text)
    {
        QFile file(m_cups.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0);
    }

private slots:
    void initTestCase()
    {
        // As the program starts: the measuring font and the printer's are one.
        Typefaces::installSubstitutions();
        write("cups-files.conf",
              QString(
                  "ServerRoot %1\nStateDir %1\nCacheDir %1\nRequestRoot %1/spool\nAccessLog "
                  "%1/log\nErrorLog %1/log\nPageLog %1/log\nPrintcap %1/printcap\nFileDevice Yes\n")
                  .arg(m_cups.path()));
        const QString socket = m_cups.filePath("cups.sock");
        write("cupsd.conf", "Listen " + socket + "\nBrowsing No\nPreserveJobFiles Yes\n" +
                                "<Policy default>\n<Limit All>\n</Limit>\n</Policy>\n");
        qputenv("CUPS_SERVER", QFile::encodeName(socket));
        // Should the test die, the scheduler goes with it.
        m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_cupsd.start("/usr/sbin/cupsd", {"-f", "-c", m_cups.filePath("cupsd.conf"), "-s",
                                          m_cups.filePath("cups-files.conf")});
        for (int i = 0; i < 300 && !QFile::exists(socket) && m_cupsd.state(); ++i)
            QThread::msleep(50);
        // A queue added without -E takes no jobs.
        if (QProcess::execute("/usr/sbin/lpadmin", {"-p", "Refusing", "-v", "file:/dev/null"}) ||
            QProcess::execute("/usr/sbin/lpadmin", {"-p", "Queue", "-E", "-v", "file:/dev/null"}))
            m_cupsProblem = "No CUPS scheduler of the test's own (cups-daemon, cups-client)";
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed (poppler-utils)");
    }
    void cleanupTestCase()
    {
        m_cupsd.terminate();
        m_cupsd.waitForFinished();
    }

    // The window is built while the print server is asked for the default
    // printer's paper. A server that never answers keeps nothing waiting:
    // until it answers, only the PDF file is offered and there is no paper,
    // and its answer, when it comes, is announced once.
    void neverWaitsForASilentPrintServer()
    {
        if (!m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        // A stopped scheduler takes connections and never answers.
        ::kill(pid_t(m_cupsd.processId()), SIGSTOP);
        const auto resumeScheduler = [this] { ::kill(pid_t(m_cupsd.processId()), SIGCONT); };
        auto resume = qScopeGuard(resumeScheduler);
        QElapsedTimer timer;
        const auto takesUnder50ms = [&](const QString &what, const std::function<void()> &step) {
            timer.start();
            step();
            QVERIFY2(timer.elapsed() < 50,
                     qPrintable(what + QString(": %1 ms").arg(timer.elapsed())));
        };
        ScriptedPrompter prompter;
        takesUnder50ms("a service made and gone", [&] { SystemPrinterService gone(prompter); });
        SystemPrinterService printers(prompter);
        QSignalSpy answered(&printers, &SystemPrinterService::printServerAnswered);
        SilentServerWindow window(printers);
        auto *editor = window.form.findChild<CellEditor *>("cellEditor");
        window.form.findChild<MedicationGrid *>("Grid1")->setCurrentCell(1, 1);
        editor->requestOpen();
        QTRY_VERIFY(editor->EditingCell());
        window.form.findChild<QLineEdit *>("Text1")->setText("Metformin");
        takesUnder50ms("a committed edit", [&] { editor->commit(); });
        takesUnder50ms("a font change",
                       [&] { window.form.findChild<QAction *>("mnuFontSizeOp_1")->trigger(); });
        QStringList offered;
        takesUnder50ms("the printers offered", [&] { offered = printers.installedPrinters(); });
        QCOMPARE(offered, QStringList{SystemPrinterService::pdfPrinterName()});
        QCOMPARE(printers.pageWidth(), 0);
        QCOMPARE(window.list.cell(1, 1), "Metformin");
        QVERIFY(!printers.hasAnswered());
        QCOMPARE(answered.count(), 0);

        resume.dismiss();
        resumeScheduler();
        QTRY_COMPARE_WITH_TIMEOUT(answered.count(), 1, 10000);
        QVERIFY(printers.installedPrinters().contains("Queue"));
        QVERIFY(!answered.wait(100)); // and only once
    }

    // A full list through the real dialog, report and service, built for what
    // printing used to lose: a 160-character Instructions text, five lines of
    // Notes in every row, an 80-line Notes cell, a 330-character word in the
    // general notes. Every word comes out whole and inside the page. A
    // document that did not go out is discarded, so the same service then
    // saves it as a PDF. Each row: the locale, printer, orientation, table font
    // and file chosen; what the user was asked and told (a pattern), how many
    // documents came out in the folder and the spool, and the PDF's paper
    // width, by the locale.
    void printout_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("documents");
        QTest::addColumn<int>("pdfWidth");
        const QString pdf = SystemPrinterService::pdfPrinterName(), us = "en_US", none;
        const QString asked = "save Save as PDF: " +
                              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                              "/Mum.pdf";
        const QString failed = "warn Pillora: The list could not be printed.\n\n";
        QTest::newRow("Save as PDF, Letter in the US, Large bold")
            << us << pdf << false << 10 << true << "Mum.pdf" << asked << 2 << 12240;
        QTest::newRow("Save as PDF in landscape, Large bold")
            << us << pdf << true << 10 << true << "Mum.pdf" << asked << 2 << 12240;
        QTest::newRow("a CUPS queue, A4 in Germany, Standard")
            << QString("de_DE") << QString("Queue") << false << 8 << false << none << none << 2
            << 11906;
        QTest::newRow("file dialog cancelled: silent")
            << us << pdf << false << 8 << false << none << asked << 1 << 12240;
        QTest::newRow("a folder where the file should be")
            << us << pdf << false << 8 << false << "folder"
            << asked + "\n" + failed + "\u201c%1/folder\u201d could not be written: .+" << 1
            << 12240;
        QTest::newRow("a printer that refuses the job")
            << us << QString("Refusing") << false << 8 << false << none
            << failed + "The printer \u201cRefusing\u201d did not take the job: .+" << 1 << 12240;
    }
    void printout()
    {
        QFETCH(QString, printer);
        if (printer != SystemPrinterService::pdfPrinterName() && !m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        QFETCH(int, size);
        QFETCH(bool, bold);
        QFont font("MS Sans Serif");
        font.setPointSize(size);
        font.setBold(bold);
        const FontTextMeasurer measuringFont(font);
        ScriptedPrompter prompter;
        SystemPrinterService printers(prompter);
        QTRY_VERIFY(printers.hasAnswered());
        StandInWindow w(printers, &measuringFont);
        const QString longWord = QString("ABCDEFGHIJ").repeated(33);
        fillForTheFaults(w.list, longWord);
        ListSettings settings = w.list.settings();
        settings.fontSize = size;
        settings.bold = bold;
        w.list.setSettings(settings);
        w.openEdit = "Medicine 1";

        QTemporaryDir folder;
        QDir(folder.path()).mkdir("folder");
        const QDir spool(m_cups.filePath("spool"));
        const qsizetype spooled = spool.entryList({"d*"}).size();
        QFETCH(QString, file);
        prompter.answers = {file.isEmpty() ? file : folder.filePath(file)};
        QFETCH(bool, landscape);
        w.print(landscape ? QStringList{"choose " + printer, "landscape", "print"}
                          : QStringList{"choose " + printer, "print"});
        QFETCH(QString, told);
        // The service asks, the command tells.
        const QString log = (prompter.log + w.prompter.log).join('\n');
        QVERIFY2(log.contains(QRegularExpression("^" + told.replace("%1", folder.path()) + "$")),
                 qPrintable(log));
        // Whether the document went out or not, the next one starts on page 1.
        QCOMPARE(printers.pageNumber(), 1);
        prompter.answers = {folder.filePath("again.pdf")};
        w.print({"choose " + SystemPrinterService::pdfPrinterName(), "print"});
        QTEST(w.fittedToPageWidths.last(), "pdfWidth");
        QStringList documents;
        for (const QString &name : QDir(folder.path()).entryList({"*.pdf"}, QDir::Files))
            documents << folder.filePath(name);
        for (const QString &name : spool.entryList({"d*"}).mid(spooled))
            documents << spool.filePath(name);
        QTEST(int(documents.size()), "documents");

        QHash<QString, int> expected;
        for (int row = 1; row <= MedicationList::LastDataRow; ++row) {
            for (int column = 1; column <= 6; ++column) {
                for (const QString &word :
                     w.list.cell(row, column).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
                    ++expected[word];
            }
        }
        for (const QString &word :
             w.list.notes().remove(longWord).split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
            ++expected[word];
        for (const QString &document : documents) {
            const QList<PdfWord> words = readWords(document);
            QVERIFY(!words.isEmpty());
            QHash<QString, int> found;
            QString pieces;
            int titles = 0;
            for (qsizetype i = 0; i < words.size(); ++i) {
                const PdfWord &word = words[i];
                // Every document counts its pages from 1.
                if (word.text == "Page" && i + 1 < words.size())
                    QCOMPARE(words[i + 1].text, QString::number(word.pageNumber));
                QVERIFY2(word.box.left() >= 0 && word.box.top() >= 0 &&
                             word.box.right() <= word.page.width() &&
                             word.box.bottom() <= word.page.height(),
                         qPrintable(word.text + " outside the page"));
                ++found[word.text];
                titles += word.text == "Medications";
                if (word.text.contains(QRegularExpression("^[A-J]{2,}$")))
                    pieces += word.text;
            }
            QCOMPARE(titles, words.last().pageNumber);
            QCOMPARE(pieces, longWord);
            for (auto word = expected.cbegin(); word != expected.cend(); ++word)
                QVERIFY2(found.value(word.key()) >= word.value(),
                         qPrintable(QString("%1 found %2 times of %3 in %4")
                                        .arg(word.key())
                                        .arg(found.value(word.key()))
                                        .arg(word.value())
                                        .arg(document)));
        }
    }
};

QTEST_MAIN(TestSystemPrinter)
#include "tst_systemprinter.moc"
