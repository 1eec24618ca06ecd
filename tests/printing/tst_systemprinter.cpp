#include "FontTextMeasurer.h"
#include "PrintCommand.h"
#include "PrintingFixture.h"
#include "PrivateCupsServer.h"
#include "SystemPrinterService.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

#include <thread>

#include <sys/socket.h>
#include <sys/un.h>

namespace {

const QString Queue = QStringLiteral("Pillora_Test");

QString medicine(int row)
{
    const QStringList names{"Metformin", "Lisinopril", "Atorvastatin", "Paracétamol"};
    return QStringLiteral("%1 %2").arg(names[row % names.size()]).arg(row);
}

// A full list, three lines of notes to each medicine, six lines of general
// notes: three pages of Letter at 8 points.
void fillThreePages(MedicationList &list)
{
    startList(list, QStringLiteral("Family"));
    for (int row = 1; row <= MedicationList::LastDataRow; ++row) {
        const QStringList cells{medicine(row),
                                QString::number(row * 5) + " mg",
                                "One tablet daily",
                                "30",
                                QStringLiteral("12/%1/2026").arg(row % 28 + 1),
                                "Prescribed by Dr. Weber\r\nTake with food\r\nNo alcohol"};
        for (int column = 1; column <= 6; ++column)
            list.setCell(row, column, cells[column - 1]);
    }
    list.setNotes(
        "Pharmacy on Main Street, line 1\r\nline 2\r\nline 3\r\nline 4\r\nline 5\r\nline 6");
}

// The text of a PDF, a string a page, ligatures such as "fi" undone.
QStringList pagesOf(const QString &pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput())
        .normalized(QString::NormalizationForm_KC)
        .split(u'\f', Qt::SkipEmptyParts);
}

// "Family" through the real dialog, report and service, on the printer
// chosen in the dialog; returns what the user was told.
QStringList printFamily(const QString &printer, const QStringList &fileAnswers)
{
    MedicationList list;
    fillThreePages(list);
    FixedClock clock;
    ScriptedPrompter prompter;
    prompter.fileAnswers = fileAnswers;
    SystemPrinterService printers(prompter);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    const FontTextMeasurer measurer(font);
    // As wide as the widest text of each column, as the grid makes them.
    TestHost host(printers);
    for (int column = 1; column < MedicationList::NotesColumn; ++column) {
        double widest = 600;
        for (int row = 0; row < MedicationList::RowCount; ++row)
            widest = std::max(widest, measurer.width(list.cell(row, column)));
        host.widths[column] = int(widest) + 120;
    }
    PrintCommand command(list, printers, measurer, clock, prompter);
    DialogScript script([&](frmPrinterSelect &dialog) {
        auto *box = control<QComboBox>(dialog, "cboPrinter");
        box->setCurrentIndex(box->findText(printer));
        QTest::mouseClick(control<QPushButton>(dialog, "cmdSelect_0"), Qt::LeftButton);
    });
    command.PrintList(host, nullptr);
    return prompter.log.filter(QRegularExpression("^(warn|tell|inform)"));
}

// Two pages with a line on the current printer.
bool printTwoPages(SystemPrinterService &printers)
{
    printers.printAndEndLine(QStringLiteral("Page 1"));
    printers.line(240, 500, 5000, 500);
    printers.newPage();
    printers.printAndEndLine(QStringLiteral("Page 2"));
    return printers.endDocument();
}

QByteArray head(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray();
}

} // namespace

class TestSystemPrinter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        m_serverProblem = m_server.start();
        if (m_serverProblem.isEmpty())
            m_serverProblem = m_server.run("lpadmin", {"-p", Queue, "-E", "-v", "file:/dev/null"});
        qputenv("CUPS_SERVER", QFile::encodeName(m_server.socketPath()));
    }
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void pdfPaper_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<PrinterService::Orientation>("orientation");
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<int>("pageHeight");
        const QLocale germany(QLocale::German, QLocale::Germany);
        const QLocale unitedStates(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("A4 in Germany") << germany << PrinterService::Portrait << 11906 << 16838;
        QTest::newRow("A4 landscape") << germany << PrinterService::Landscape << 16838 << 11906;
        QTest::newRow("Letter in the US")
            << unitedStates << PrinterService::Portrait << 12240 << 15840;
    }
    void pdfPaper()
    {
        QFETCH(QLocale, locale);
        QFETCH(PrinterService::Orientation, orientation);
        QFETCH(int, pageHeight);
        QLocale::setDefault(locale);
        ScriptedPrompter prompter;
        SystemPrinterService printers(prompter);
        printers.setCurrentPrinter(SystemPrinterService::pdfPrinterName());
        printers.setOrientation(orientation);
        QTEST(printers.pageWidth(), "pageWidth");
        // Six points (120 twips) of margin at the top and at the bottom.
        QVERIFY(qAbs(printers.printableHeight() - (pageHeight - 240)) < 1);
    }

    // A document that did not go out is discarded, and the next one prints.
    void saveAsPdf_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("error");
        QTest::newRow("a new file") << "Mum.pdf" << true << "";
        QTest::newRow("file dialog cancelled") << "" << false << "";
        QTest::newRow("a folder where the file should be")
            << "folder.pdf" << false << "\u201c%1/folder.pdf\u201d could not be written";
    }
    void saveAsPdf()
    {
        QFETCH(QString, answer);
        QFETCH(QString, error);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("folder.pdf"));
        ScriptedPrompter prompter;
        prompter.fileAnswers = QStringList{answer.isEmpty() ? answer : folder.filePath(answer),
                                           folder.filePath("again.pdf")};
        SystemPrinterService printers(prompter);
        printers.setCurrentPrinter(SystemPrinterService::pdfPrinterName());
        printers.setDocumentName(QStringLiteral("Mum"));
        QTEST(printTwoPages(printers), "saved");
        QCOMPARE(printers.errorString().section(u':', 0, 0), error.replace("%1", folder.path()));
        QCOMPARE(prompter.log.value(0),
                 "save Save as PDF: " +
                     QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                     "/Mum.pdf");
        printers.abortDocument();
        QVERIFY(printTwoPages(printers));
        QCOMPARE(head(folder.filePath("again.pdf")), "%PDF-");
    }

    // The window is built while the print server is asked for the default
    // printer's paper; only the column sizing waits for the answer.
    void startDoesNotWaitForThePrintServer()
    {
        QTemporaryDir folder;
        const QByteArray path = QFile::encodeName(folder.filePath("silent.sock"));
        sockaddr_un address{AF_UNIX, {}};
        std::copy(path.begin(), path.end(), address.sun_path);
        // Takes connections and never answers.
        const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(silent, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
        QVERIFY(::listen(silent, 8) == 0);
        qputenv("CUPS_SERVER", path);
        // Closing resets the waiting connections: at once after construction,
        // or after five seconds should construction wait for an answer.
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
        QVERIFY2(constructionMs < 2500, qPrintable(QString::number(constructionMs) + " ms"));
        qputenv("CUPS_SERVER", QFile::encodeName(m_server.socketPath()));
        QCOMPARE(printers.pageWidth(), 0);
    }

    void printout_data()
    {
        QTest::addColumn<QString>("printer");
        QTest::newRow("a CUPS queue") << Queue;
        QTest::newRow("Save as PDF") << SystemPrinterService::pdfPrinterName();
    }
    void printout()
    {
        QFETCH(QString, printer);
        if (const QString why = whyNot(printer == Queue); !why.isEmpty())
            QSKIP(qPrintable(why));
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("Family.pdf"));
        QCOMPARE(printFamily(printer, {pdf}), QStringList());
        const QStringList pages =
            pagesOf(printer == Queue ? m_server.receivedDocuments().value(0) : pdf);
        QVERIFY2(pages.size() >= 3, qPrintable(pages.join("\n---\n")));
        for (int page = 1; page <= 3; ++page) {
            QVERIFY(pages[page - 1].simplified().startsWith(
                QStringLiteral("Page %1 Family - Medications List (Tuesday, December 1, 2026)")
                    .arg(page)));
            QVERIFY(pages[page - 1].contains(QRegularExpression(
                "Name +Dosage +Instructions +Quantity +Next Refill Date +Notes")));
        }
        const QString all = pages.join(u'\n');
        for (int row = 1; row <= MedicationList::LastDataRow; ++row)
            QVERIFY2(all.contains(QRegularExpression(medicine(row) + "\\b")),
                     qPrintable(medicine(row)));
        QVERIFY(pages.last().contains("General notes:"));
        QCOMPARE(all.count(QRegularExpression("\\n *> (Pharmacy on Main Street, )?line \\d")), 6);
    }

    void refusedJob()
    {
        if (const QString why = whyNot(true); !why.isEmpty())
            QSKIP(qPrintable(why));
        QCOMPARE(m_server.run("cupsreject", {Queue}), QString());
        const qsizetype before = m_server.receivedDocuments().size();
        const QStringList messages = printFamily(Queue, {});
        QCOMPARE(m_server.receivedDocuments().size(), before);
        QVERIFY2(
            messages.size() == 1 &&
                messages[0].startsWith("warn Pillora: The list could not be printed.\n\nThe "
                                       "printer \u201cPillora_Test\u201d did not take the job"),
            qPrintable(messages.join(u'\n')));
    }

private:
    QString whyNot(bool needsServer) const
    {
        if (needsServer && !m_serverProblem.isEmpty())
            return "A private CUPS server cannot start here: " + m_serverProblem;
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            return QStringLiteral("pdftotext is not installed (Debian package poppler-utils)");
        return {};
    }

    PrivateCupsServer m_server;
    QString m_serverProblem;
};

QTEST_MAIN(TestSystemPrinter)
#include "tst_systemprinter.moc"
