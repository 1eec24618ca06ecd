#include "PrintingFixture.h"
#include "SystemPrinterService.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <signal.h>
#include <sys/prctl.h>

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
    // printer's paper. A server that never answers keeps neither the column
    // sizing nor the end of the program waiting: until it answers, the
    // service has no printer.
    void neverWaitsForASilentPrintServer()
    {
        if (!m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        // A stopped scheduler takes connections and never answers; a service
        // that waits for it fails late, once the client library gives up.
        ::kill(pid_t(m_cupsd.processId()), SIGSTOP);
        QElapsedTimer timer;
        timer.start();
        {
            ScriptedPrompter prompter;
            SystemPrinterService printers(prompter);
            QCOMPARE(printers.pageWidth(), 0);
            QVERIFY(!printers.hasAnswered());
        }
        const qint64 elapsedMs = timer.elapsed();
        ::kill(pid_t(m_cupsd.processId()), SIGCONT);
        QVERIFY2(elapsedMs < 2500, qPrintable(QString::number(elapsedMs) + " ms"));
    }

    // A full list through the real dialog, report and service fills three pages;
    // a document that did not go out is discarded, so the same service then
    // saves it as a PDF. Each row: the locale, printer and file chosen; what the
    // user was asked and told (a pattern), how many documents came out in the
    // folder and the spool, and the PDF's paper width, by the locale.
    void printout_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("documents");
        QTest::addColumn<int>("pdfWidth");
        const QString pdf = SystemPrinterService::pdfPrinterName(), us = "en_US", none;
        const QString asked = "save Save as PDF: " +
                              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                              "/Mum.pdf";
        const QString failed = "warn Pillora: The list could not be printed.\n\n";
        QTest::newRow("Save as PDF, Letter in the US")
            << us << pdf << "Mum.pdf" << asked << 2 << 12240;
        QTest::newRow("a CUPS queue, A4 in Germany")
            << QString("de_DE") << QString("Queue") << none << none << 2 << 11906;
        QTest::newRow("file dialog cancelled: silent") << us << pdf << none << asked << 1 << 12240;
        QTest::newRow("a folder where the file should be")
            << us << pdf << "folder"
            << asked + "\n" + failed + "\u201c%1/folder\u201d could not be written: .+" << 1
            << 12240;
        QTest::newRow("a printer that refuses the job")
            << us << QString("Refusing") << none
            << failed + "The printer \u201cRefusing\u201d did not take the job: .+" << 1 << 12240;
    }
    void printout()
    {
        QFETCH(QString, printer);
        if (printer != SystemPrinterService::pdfPrinterName() && !m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        ScriptedPrompter prompter;
        SystemPrinterService printers(prompter);
        StandInWindow w(printers);
        const QStringList cells{"5 mg", "Once daily", "30", "12/1/2026",
                                "By Dr. Weber\r\nWith food\r\nNo alcohol"};
        for (int row = 1; row <= MedicationList::LastDataRow; ++row) {
            w.list.setCell(row, 1, "Medicine " + QString::number(row));
            for (int column = 2; column <= 6; ++column)
                w.list.setCell(row, column, cells[column - 2]);
        }
        w.list.setNotes("Pharmacy\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6");
        w.openEdit = "Medicine 1";
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("folder");
        const QDir spool(m_cups.filePath("spool"));
        const qsizetype spooled = spool.entryList({"d*"}).size();
        QFETCH(QString, file);
        prompter.answers = {file.isEmpty() ? file : folder.filePath(file)};
        w.print({"choose " + printer, "print"});
        QFETCH(QString, told);
        // The service asks, the command tells.
        const QString log = (prompter.log + w.prompter.log).join('\n');
        QVERIFY2(log.contains(QRegularExpression("^" + told.replace("%1", folder.path()) + "$")),
                 qPrintable(log));
        prompter.answers = {folder.filePath("again.pdf")};
        w.print({"choose " + SystemPrinterService::pdfPrinterName(), "print"});
        QTEST(w.fittedToPageWidths.last(), "pdfWidth");
        QStringList documents;
        for (const QString &name : QDir(folder.path()).entryList({"*.pdf"}, QDir::Files))
            documents << folder.filePath(name);
        for (const QString &name : spool.entryList({"d*"}).mid(spooled))
            documents << spool.filePath(name);
        QTEST(int(documents.size()), "documents");
        for (const QString &document : documents) {
            QProcess pdftotext;
            pdftotext.start("pdftotext", {"-layout", document, "-"});
            pdftotext.waitForFinished();
            const QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput())
                                          .split('\f', Qt::SkipEmptyParts);
            QVERIFY(pages.size() >= 3);
            const QString all = pages.join(' ').simplified();
            QCOMPARE(all.count(
                         QRegularExpression("Page \\d Mum - Medications List \\([^)]+\\) Name "
                                            "Dosage Instructions Quantity Next Refill Date Notes")),
                     pages.size());
            QCOMPARE(all.count(QRegularExpression("Medicine \\d+ 5 mg Once daily 30 12/1/2026 By "
                                                  "Dr. Weber With food No alcohol")),
                     49);
            QCOMPARE(all.count(QRegularExpression("> (Pharmacy|line \\d)")), 6);
        }
    }
};

QTEST_MAIN(TestSystemPrinter)
#include "tst_systemprinter.moc"
