#include "Doubles.h"
#include "FontTextMeasurer.h"
#include "Form1.h"
#include "ListReport.h"
#include "Program.h"
#include "SystemPrinterService.h"
#include "Typefaces.h"

#include <QAction>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>

#include <signal.h>
#include <sys/prctl.h>

namespace {

// What printing used to lose: 49 medicines with four lines of Notes, the
// 25th with 80, the first with 160 characters of Instructions, and a
// 330-letter word in the general notes.
void fill(MedicationList &list, const QString &longWord)
{
    QStringList eighty;
    for (int line = 1; line <= 80; ++line)
        eighty << QString("Line%1 of the notes").arg(line);
    for (int row = 1; row <= MedicationList::LastDataRow; ++row) {
        list.setCell(row, 1, "Medicine " + QString::number(row));
        list.setCell(row, 3, "Once daily after food, " + QString::number(100 + 5 * row) + " mg");
        list.setCell(row, 6,
                     row == 25 ? eighty.join("\r\n")
                               : "By Dr. Weber\r\nWith food\r\nNo alcohol\r\nKeep cool");
    }
    list.setCell(1, 3,
                 "Take one tablet by mouth twice daily with breakfast and dinner; swallow it "
                 "whole with a full glass of water, and do not crush, chew or split it first.");
    list.setNotes("Pharmacy on Main Street\r\n" + longWord + "\r\nCall before noon");
}

// Every word pdftotext finds, "outside TEXT" for one not wholly on its page.
QStringList pdfWords(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start("pdftotext", {"-bbox", pdf, "-"});
    pdftotext.waitForFinished();
    static const QRegularExpression entry(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.-]+)" yMin="([\d.-]+)" )re"
        R"re(xMax="([\d.-]+)" yMax="([\d.-]+)">([^<]*)</word>)re");
    QStringList words;
    QRectF page;
    for (const QRegularExpressionMatch &m :
         entry.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
        const auto number = [&](int n) { return m.captured(n).toDouble(); };
        if (m.captured(1).isEmpty())
            words << (page.contains(
                          QRectF(QPointF(number(3), number(4)), QPointF(number(5), number(6))))
                          ? m.captured(7)
                          : "outside " + m.captured(7));
        else
            page = QRectF(0, 0, number(1), number(2));
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

private slots:
    void initTestCase()
    {
        const QString socket = m_cups.filePath("cups.sock");
        const QMap<QString, QString> files{
            {"cups-files.conf",
             QString("ServerRoot %1\nStateDir %1\nCacheDir %1\nRequestRoot %1/spool\nErrorLog "
                     "%1/log\nPrintcap %1/printcap\nFileDevice Yes\n")
                 .arg(m_cups.path())},
            {"cupsd.conf", "Listen " + socket + "\nBrowsing No\nPreserveJobFiles Yes\n" +
                               "<Policy default>\n<Limit All>\n</Limit>\n</Policy>\n"}};
        for (auto file = files.cbegin(); file != files.cend(); ++file) {
            QFile out(m_cups.filePath(file.key()));
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file->toUtf8()) > 0);
        }
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

    void neverWaitsForASilentPrintServer()
    {
        if (!m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        ::kill(pid_t(m_cupsd.processId()), SIGSTOP);
        auto resume = qScopeGuard([this] { ::kill(pid_t(m_cupsd.processId()), SIGCONT); });
        ScriptedPrompter prompter;
        QElapsedTimer timer;
        timer.start();
        {
            SystemPrinterService gone(prompter);
        }
        QVERIFY2(timer.elapsed() < 50, "a service made and gone");
        SystemPrinterService printers(prompter);
        QSignalSpy answered(&printers, &SystemPrinterService::printServerAnswered);
        QTemporaryDir folder;
        TestClock clock;
        RecordingAddressOpener opener;
        TestFileAssociations associations;
        Program program(folder.path(), {prompter, printers, clock, opener, associations});
        QVERIFY(program.start());
        QVERIFY(QTest::qWaitForWindowActive(&program.window()));
        prompter.answers = {QString("Mum")};
        program.window().findChild<QAction *>("actNew")->trigger();
        auto *grid = program.window().findChild<QTableView *>("Grid1");
        QTest::keyClicks(QApplication::focusWidget(), "Metformin");
        timer.restart();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(timer.restart() < 50, "a committed edit");
        program.window().findChild<QAction *>("mnuFontSizeOp_1")->trigger();
        QVERIFY2(timer.elapsed() < 50, "a font change");
        QCOMPARE(grid->model()->index(0, 0).data().toString(), "Metformin");
        QCOMPARE(printers.installedPrinters(), QStringList{SystemPrinterService::pdfPrinterName()});
        QCOMPARE(answered.count(), 0);

        resume.dismiss();
        ::kill(pid_t(m_cupsd.processId()), SIGCONT);
        QTRY_COMPARE_WITH_TIMEOUT(answered.count(), 1, 10000);
        QVERIFY(printers.installedPrinters().contains("Queue"));
        QVERIFY(!answered.wait(100));
    }

    // The list built for what printing used to lose, through the report and
    // the real service: every word comes out whole and inside the page. Each
    // row: the locale, printer, orientation and the file chosen; then the
    // page width and what the service reports (a pattern).
    void printout_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<QString>("error");
        const QString pdf = SystemPrinterService::pdfPrinterName(), us = "en_US";
        QTest::newRow("Save as PDF, Letter in the US, landscape")
            << us << pdf << true << "Mum.pdf" << 15840 << QString();
        QTest::newRow("a CUPS queue, A4 in Germany")
            << QString("de_DE") << QString("Queue") << false << QString() << 11906 << QString();
        QTest::newRow("file dialog cancelled: silent")
            << us << pdf << false << QString() << 12240 << QString();
        QTest::newRow("a folder where the file should be")
            << us << pdf << false << "folder" << 12240
            << QString("\u201c%1/folder\u201d could not be written: .+");
        QTest::newRow("a printer that refuses the job")
            << us << QString("Refusing") << false << QString() << 12240
            << "The printer \u201cRefusing\u201d did not take the job: .+";
    }
    void printout()
    {
        QFETCH(QString, printer);
        if (printer != SystemPrinterService::pdfPrinterName() && !m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        // The Standard font, on paper as in the measuring font.
        const FontTextMeasurer measurer(QFont("MS Sans Serif", ListSettings::StandardFontSize));
        MedicationList list;
        list.writeHeaderTexts();
        list.setSettings({});
        const QString longWord = QString("ABCDEFGHIJ").repeated(33);
        fill(list, longWord);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("folder");
        QFETCH(QString, file);
        const bool toFile = printer == SystemPrinterService::pdfPrinterName();
        ScriptedPrompter prompter;
        if (toFile)
            prompter.answers = {file.isEmpty() ? file : folder.filePath(file)};
        SystemPrinterService printers(prompter);
        QTRY_VERIFY(printers.hasAnswered());
        printers.setCurrentPrinter(printer);
        QFETCH(bool, landscape);
        printers.setOrientation(landscape ? PrinterService::Landscape : PrinterService::Portrait);
        QTEST(printers.pageWidth(), "pageWidth");
        const QDir spool(m_cups.filePath("spool"));
        const qsizetype spooled = spool.entryList({"d*"}).size();
        TestClock clock;
        ListReport(printers, list, measurer, clock).printPages({480, 1600, 1600, 1600, 1600, 1600});
        const bool sent = printers.endDocument();
        const QString problem = printers.errorString();
        if (!sent)
            printers.abortDocument();
        QFETCH(QString, error);
        QVERIFY2(
            problem.contains(QRegularExpression("^" + error.replace("%1", folder.path()) + "$")),
            qPrintable(problem));
        QCOMPARE(printers.pageNumber(), 1);

        QStringList documents;
        for (const QString &name : spool.entryList({"d*"}).mid(spooled))
            documents << spool.filePath(name);
        if (QFileInfo(folder.filePath("Mum.pdf")).isFile())
            documents << folder.filePath("Mum.pdf");
        QCOMPARE(documents.size(), error.isEmpty() && (!toFile || !file.isEmpty()) ? 1 : 0);
        static const QRegularExpression space("\\s+");
        for (const QString &document : documents) {
            const QStringList found = pdfWords(document);
            QCOMPARE(found.filter(QRegularExpression("^outside ")), QStringList());
            QCOMPARE(found.filter(QRegularExpression("^[A-J]{2,}$")).join(""), longWord);
            QStringList expected = list.notes().remove(longWord).split(space, Qt::SkipEmptyParts);
            for (int row = 0; row <= MedicationList::LastDataRow; ++row) {
                for (int column = 1; column <= 6; ++column)
                    expected << list.cell(row, column).split(space, Qt::SkipEmptyParts);
            }
            for (const QString &word : expected)
                QVERIFY2(found.count(word) >= expected.count(word), qPrintable(word + " missing"));
        }
    }
};

QTEST_MAIN(TestSystemPrinter)
#include "tst_systemprinter.moc"
