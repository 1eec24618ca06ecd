#include "PrintCommand.h"
#include "PrintingFixture.h"
#include "SystemPrinterService.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <thread>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>

// The real printer service, on PDF files and on a CUPS scheduler of the
// test's own (cups-daemon, cups-client): its configuration, socket, spool and
// logs are in a temporary folder, so the machine's printers are never
// touched, and it keeps the documents it is sent.
class TestSystemPrinter : public QObject
{
    Q_OBJECT

    QTemporaryDir m_cups;
    QProcess m_cupsd;
    QString m_cupsProblem;

    // The CUPS programs live in sbin, which a user's PATH may lack.
    static QString run(const QString &program, const QStringList &arguments)
    {
        QProcess process;
        process.start(QStandardPaths::findExecutable(program, {"/usr/sbin"}), arguments);
        return process.waitForFinished() && process.exitCode() == 0 ? "" : program + " failed. ";
    }
    void write(const QString &name, const QString &text)
    {
        QFile file(m_cups.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0);
    }
    static QStringList pagesOf(const QString &pdf)
    {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdf, "-"});
        pdftotext.waitForFinished();
        return QString::fromUtf8(pdftotext.readAllStandardOutput()).split('\f', Qt::SkipEmptyParts);
    }
    static bool printTwoPages(SystemPrinterService &printers)
    {
        printers.printAndEndLine("Page 1");
        printers.line(240, 500, 5000, 500);
        printers.newPage();
        printers.printAndEndLine("Page 2");
        return printers.endDocument();
    }

private slots:
    void initTestCase()
    {
        qunsetenv("PRINTER");
        QDir(m_cups.path()).mkpath("spool/tmp");
        write("cups-files.conf",
              QString("ServerRoot %1\nStateDir %1\nCacheDir %1\nRequestRoot %1/spool\nTempDir "
                      "%1/spool/tmp\nAccessLog %1/log\nErrorLog %1/log\nPageLog %1/log\nPrintcap "
                      "%1/printcap\nFileDevice Yes\n")
                  .arg(m_cups.path()));
        const QString socket = m_cups.filePath("cups.sock");
        write("cupsd.conf", "Listen " + socket +
                                "\nBrowsing No\nPreserveJobFiles Yes\n"
                                "<Policy default>\n<Limit All>\n</Limit>\n</Policy>\n");
        qputenv("CUPS_SERVER", QFile::encodeName(socket));
        // Should the test die, the scheduler goes with it.
        m_cupsd.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_cupsd.start(
            QStandardPaths::findExecutable("cupsd", {"/usr/sbin"}),
            {"-f", "-c", m_cups.filePath("cupsd.conf"), "-s", m_cups.filePath("cups-files.conf")});
        for (int i = 0; i < 300 && !QFile::exists(socket) && m_cupsd.state(); ++i)
            QThread::msleep(50);
        // One after the other: the operands of + are run in no set order.
        for (const QStringList &command :
             {QStringList{"lpadmin", "-p", "Pillora_Test", "-E", "-v", "file:/dev/null"},
              {"lpadmin", "-p", "Refusing", "-E", "-v", "file:/dev/null"},
              {"cupsreject", "Refusing"}})
            m_cupsProblem += run(command.first(), command.mid(1));
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed (poppler-utils)");
    }
    void cleanupTestCase()
    {
        m_cupsd.terminate();
        m_cupsd.waitForFinished();
    }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void pdfPaper_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<PrinterService::Orientation>("orientation");
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<double>("printableHeight");
        // Six points (120 twips) of margin at the top and at the bottom.
        const QLocale germany(QLocale::German, QLocale::Germany);
        QTest::newRow("A4 in Germany") << germany << PrinterService::Portrait << 11906 << 16598.0;
        QTest::newRow("A4 landscape") << germany << PrinterService::Landscape << 16838 << 11666.0;
        QTest::newRow("Letter in the US") << QLocale(QLocale::English, QLocale::UnitedStates)
                                          << PrinterService::Portrait << 12240 << 15600.0;
    }
    void pdfPaper()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        ScriptedPrompter prompter;
        SystemPrinterService printers(prompter);
        printers.setCurrentPrinter(SystemPrinterService::pdfPrinterName());
        QFETCH(PrinterService::Orientation, orientation);
        printers.setOrientation(orientation);
        QTEST(printers.pageWidth(), "pageWidth");
        QFETCH(double, printableHeight);
        QVERIFY(qAbs(printers.printableHeight() - printableHeight) < 1);
    }

    // A document that did not go out is discarded, so the next one prints.
    void failedDocument_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");
        const QString pdf = SystemPrinterService::pdfPrinterName();
        QTest::newRow("file dialog cancelled: silent") << pdf << ""
                                                       << "";
        QTest::newRow("a folder where the file should be")
            << pdf << "folder"
            << "\u201c%1/folder\u201d could not be written";
        QTest::newRow("a printer that refuses the job")
            << "Refusing"
            << ""
            << "The printer \u201cRefusing\u201d did not take the job";
    }
    void failedDocument()
    {
        QFETCH(QString, printer);
        if (printer == "Refusing" && !m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        QFETCH(QString, file);
        QFETCH(QString, error);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("folder");
        ScriptedPrompter prompter;
        prompter.answers << (file.isEmpty() ? file : folder.filePath(file));
        SystemPrinterService printers(prompter);
        printers.setCurrentPrinter(printer);
        QVERIFY(!printTwoPages(printers));
        QCOMPARE(printers.errorString().section(':', 0, 0), error.replace("%1", folder.path()));
        printers.abortDocument();
        prompter.answers = {folder.filePath("again.pdf")};
        printers.setCurrentPrinter(SystemPrinterService::pdfPrinterName());
        QVERIFY(printTwoPages(printers));
        QCOMPARE(pagesOf(folder.filePath("again.pdf")).size(), 2);
    }

    // The window is built while the print server is asked for the default
    // printer's paper; only the column sizing waits for the answer.
    void startDoesNotWaitForThePrintServer()
    {
        const QByteArray path = QFile::encodeName(m_cups.filePath("silent.sock"));
        sockaddr_un address{AF_UNIX, {}};
        std::copy(path.begin(), path.end(), address.sun_path);
        // Takes connections and never answers.
        const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(silent, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(silent, 8) == 0);
        const QByteArray server = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", path);
        // Closing resets the waiting connections: once constructed, or after
        // five seconds should construction wait for an answer.
        std::jthread release([silent](std::stop_token constructed) {
            for (int i = 0; i < 50 && !constructed.stop_requested(); ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            ::close(silent);
        });
        ScriptedPrompter prompter;
        QElapsedTimer timer;
        timer.start();
        SystemPrinterService printers(prompter);
        const qint64 constructionMs = timer.elapsed();
        release.request_stop();
        qputenv("CUPS_SERVER", server);
        QVERIFY2(constructionMs < 2500, qPrintable(QString::number(constructionMs) + " ms"));
        QCOMPARE(printers.pageWidth(), 0);
    }

    // "Family" through the real dialog, report and service: 49 medicines
    // with three lines of notes, and six lines of general notes, make three
    // pages. One document comes out, in the file or in the spool.
    void printout_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("Save as PDF")
            << SystemPrinterService::pdfPrinterName()
            << QStringList{"save Save as PDF: " +
                           QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                           "/Family.pdf"};
        QTest::newRow("a CUPS queue") << "Pillora_Test" << QStringList{};
    }
    void printout()
    {
        QFETCH(QString, printer);
        if (printer == "Pillora_Test" && !m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        MedicationList list;
        startList(list, "Family");
        for (int row = 1; row <= MedicationList::LastDataRow; ++row) {
            const QStringList cells{
                "",          "Medicine " + QString::number(row),       "5 mg", "Once daily", "30",
                "12/1/2026", "By Dr. Weber\r\nWith food\r\nNo alcohol"};
            for (int column = 1; column <= 6; ++column)
                list.setCell(row, column, cells[column]);
        }
        list.setNotes("Pharmacy on Main Street\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6");
        ScriptedPrompter prompter;
        QTemporaryDir folder;
        const QString pdf = folder.filePath("Family.pdf");
        prompter.answers << pdf;
        SystemPrinterService printers(prompter);
        TestHost host(printers, list);
        host.openEdit = "Medicine 1";
        host.width = 1600;
        CharacterMeasurer measurer;
        TestClock clock;
        DialogScript script({"choose " + printer, "print"});
        PrintCommand(list, printers, measurer, clock, prompter).PrintList(host, nullptr);
        QTEST(prompter.log, "asked");

        const QDir spool(m_cups.filePath("spool"));
        QStringList documents = spool.entryList({"d*"}, QDir::Files)
                                    .replaceInStrings(QRegularExpression("^"), spool.path() + "/");
        if (QFile::exists(pdf))
            documents << pdf;
        QVERIFY2(documents.size() == 1, qPrintable(documents.join(' ')));
        const QStringList pages = pagesOf(documents[0]);
        QCOMPARE(pages.size(), 3);
        for (int page = 1; page <= 3; ++page) {
            QVERIFY(pages[page - 1].simplified().startsWith(
                QString("Page %1 Family - Medications List (Tuesday, December 1, 2026) Name Dosage "
                        "Instructions Quantity Next Refill Date Notes")
                    .arg(page)));
        }
        const QString all = pages.join(' ');
        QCOMPARE(all.count(QRegularExpression("Medicine \\d+ +5 mg +Once daily +30 +12/1/2026 +By "
                                              "Dr. Weber\\s+With food\\s+No alcohol")),
                 49);
        QCOMPARE(all.count(QRegularExpression("> (Pharmacy on Main Street|line \\d)")), 6);
    }
};

QTEST_MAIN(TestSystemPrinter)
#include "tst_systemprinter.moc"
