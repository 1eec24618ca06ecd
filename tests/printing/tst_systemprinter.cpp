#include "Doubles.h"
#include "FontTextMeasurer.h"
#include "Form1.h"
#include "ListReport.h"
#include "Program.h"
#include "SystemPrinterService.h"

#include <QAction>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

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

private slots:
    void initTestCase()
    {
        const QString socket = m_cups.filePath("cups.sock");
        const QMap<QString, QString> files{
            {"cups-files.conf",
             QString("ServerRoot %1\nStateDir %1\nCacheDir %1\nRequestRoot %1/spool\nErrorLog "
                     "%1/log\nPrintcap %1/printcap\nFileDevice Yes\n")
                 .arg(m_cups.path())},
            {"cupsd.conf", "Listen " + socket + "\nBrowsing No\n" +
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
    }
    void cleanupTestCase()
    {
        m_cupsd.terminate();
        m_cupsd.waitForFinished();
    }

    // A stopped scheduler takes connections and never answers. Until it
    // does, only the PDF file is offered and the window fits its columns
    // without waiting; the answer, when it comes, is announced once.
    void neverWaitsForASilentPrintServer()
    {
        if (!m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        ::kill(pid_t(m_cupsd.processId()), SIGSTOP);
        auto resume = qScopeGuard([this] { ::kill(pid_t(m_cupsd.processId()), SIGCONT); });
        ScriptedPrompter prompter;
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
        QElapsedTimer timer;
        timer.start();
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

    // A list printed through the report on the real service. Each row: the
    // printer and the file chosen; then what the service reports (a
    // pattern). A document that did not go out is discarded.
    void printout_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("error");
        const QString pdf = SystemPrinterService::pdfPrinterName(), none;
        QTest::newRow("Save as PDF") << pdf << "Mum.pdf" << none;
        QTest::newRow("a CUPS queue") << QString("Queue") << none << none;
        QTest::newRow("file dialog cancelled: silent") << pdf << none << none;
        QTest::newRow("a folder where the file should be")
            << pdf << "folder"
            << "\u201c%1/folder\u201d could not be written: .+";
        QTest::newRow("a printer that refuses the job")
            << QString("Refusing") << none
            << "The printer \u201cRefusing\u201d did not take the job: .+";
    }
    void printout()
    {
        QFETCH(QString, printer);
        const bool toFile = printer == SystemPrinterService::pdfPrinterName();
        if (!toFile && !m_cupsProblem.isEmpty())
            QSKIP(qPrintable(m_cupsProblem));
        QTemporaryDir folder;
        QDir(folder.path()).mkdir("folder");
        QFETCH(QString, file);
        ScriptedPrompter prompter;
        if (toFile)
            prompter.answers = {file.isEmpty() ? file : folder.filePath(file)};
        SystemPrinterService printers(prompter);
        QTRY_VERIFY(printers.hasAnswered());
        printers.setCurrentPrinter(printer);
        MedicationList list;
        fillPages(list);
        const FontTextMeasurer measurer(QFont("MS Sans Serif"));
        const TestClock clock;
        ListReport(printers, list, measurer, clock).printPages({});
        const bool sent = printers.endDocument();
        const QString problem = printers.errorString();
        if (!sent)
            printers.abortDocument();
        QFETCH(QString, error);
        QVERIFY2(
            problem.contains(QRegularExpression("^" + error.replace("%1", folder.path()) + "$")),
            qPrintable(problem));
        QCOMPARE(sent, error.isEmpty() && !(toFile && file.isEmpty()));
        QCOMPARE(QFileInfo(folder.filePath(file)).isFile(), sent && toFile);
        // Whether it went out or not, the next document starts on page 1.
        QCOMPARE(printers.pageNumber(), 1);
        if (sent && toFile)
            everyWordWholeInsideThePage(folder.filePath(file), list);
    }

private:
    // Twenty medicines with a long Instructions text and five Notes lines
    // each: the wide grid and the page foot that once cut words off.
    static void fillPages(MedicationList &list)
    {
        list.writeHeaderTexts();
        for (int row = 1; row <= 20; ++row) {
            const QString n = QString::number(row);
            list.setCell(row, 1, "Medicine" + n);
            list.setCell(row, 2, n + "0 mg");
            list.setCell(row, 3,
                         QString("Take one%1 tablet twice daily with food and a full "
                                 "glass of water, never on an empty stomach, and keep "
                                 "away from grapefruit juice while taking it%1")
                             .arg(n));
            list.setCell(row, 4, "4" + n);
            list.setCell(row, 5, "12/14/2026");
            list.setCell(row, 6, QString("a%1\r\nb%1\r\nc%1\r\nd%1\r\ne%1").arg(n));
        }
        list.setNotes(QString("Call Dr. Rossi on weekdays ").repeated(12));
    }

    // Read back as words with their boxes (poppler-utils' pdftotext -bbox).
    static void everyWordWholeInsideThePage(const QString &pdf, const MedicationList &list)
    {
        QProcess reader;
        reader.start("pdftotext", {"-bbox", pdf, "-"});
        QVERIFY2(reader.waitForFinished(), "pdftotext (poppler-utils) did not run");
        const QString html = QString::fromUtf8(reader.readAllStandardOutput());
        QStringList printed;
        const QRegularExpression page(R"x(<page width="([\d.]+)" height="([\d.]+)">)x");
        const QRegularExpression word(R"x(<word xMin="([\d.]+)" yMin="([\d.]+)" )x"
                                      R"x(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)x");
        double width = 0, height = 0;
        for (const QString &line : html.split('\n')) {
            if (const auto p = page.match(line); p.hasMatch()) {
                width = p.captured(1).toDouble();
                height = p.captured(2).toDouble();
            } else if (const auto w = word.match(line); w.hasMatch()) {
                QVERIFY2(w.captured(3).toDouble() <= width && w.captured(4).toDouble() <= height,
                         qPrintable(w.captured(5) + " runs off the page"));
                printed << w.captured(5).replace("&amp;", "&");
            }
        }
        QStringList texts{list.notes()};
        for (int row = 1; row <= 20; ++row) {
            for (int column = 1; column < MedicationList::ColumnCount; ++column)
                texts << list.cell(row, column);
        }
        for (const QString &text : texts) {
            for (const QString &expected :
                 text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
                QVERIFY2(printed.removeOne(expected),
                         qPrintable(expected + " is not on the paper"));
        }
    }
};

QTEST_MAIN(TestSystemPrinter)
#include "tst_systemprinter.moc"
