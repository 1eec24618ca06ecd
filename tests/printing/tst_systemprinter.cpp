#include "PrintingFixture.h"
#include "SystemPrinterService.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr auto Portrait = PrinterService::Portrait;
constexpr auto Landscape = PrinterService::Landscape;

// A print server that takes connections and never answers, until released.
class SilentServer
{
public:
    explicit SilentServer(const QString &path)
    {
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::copy(name.begin(), name.end(), address.sun_path);
        if (m_socket < 0 ||
            ::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
            ::listen(m_socket, 16) != 0)
            qFatal("Cannot listen on %s", name.constData());
    }
    ~SilentServer() { release(); }
    // Connections waiting to be taken are reset, so clients give up.
    void release()
    {
        std::lock_guard lock(m_mutex);
        if (m_socket >= 0)
            ::close(m_socket);
        m_socket = -1;
    }

private:
    std::mutex m_mutex;
    int m_socket = -1;
};

// A document of two pages on the current printer.
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
    return file.open(QIODevice::ReadOnly) ? file.read(5) : QByteArray("<none>");
}

} // namespace

class TestSystemPrinter : public QObject
{
    Q_OBJECT

private slots:
    // No print server answers here, so only the PDF printer is there.
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        qputenv("CUPS_SERVER", QFile::encodeName(m_folder.filePath("no-server.sock")));
    }

    void withoutPrintServer()
    {
        ScriptedPrompter prompter;
        SystemPrinterService printers(prompter);
        QCOMPARE(printers.installedPrinters(), QStringList{"Save as PDF"});
        QCOMPARE(printers.currentPrinter(), QString());
        QCOMPARE(printers.pageWidth(), 0);
    }

    void pdfPaper_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<PrinterService::Orientation>("orientation");
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<double>("paperHeight");
        const QLocale germany(QLocale::German, QLocale::Germany);
        const QLocale unitedStates(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("A4 in Germany") << germany << Portrait << 11906 << 16838.0;
        QTest::newRow("A4 landscape") << germany << Landscape << 16838 << 11906.0;
        QTest::newRow("Letter in the United States")
            << unitedStates << Portrait << 12240 << 15840.0;
        QTest::newRow("Letter landscape") << unitedStates << Landscape << 15840 << 12240.0;
    }
    void pdfPaper()
    {
        QFETCH(QLocale, locale);
        QFETCH(PrinterService::Orientation, orientation);
        QFETCH(double, paperHeight);
        QLocale::setDefault(locale);
        ScriptedPrompter prompter;
        SystemPrinterService printers(prompter);
        printers.setCurrentPrinter(SystemPrinterService::pdfPrinterName());
        printers.setOrientation(orientation);
        QTEST(printers.pageWidth(), "pageWidth");
        // Six points (120 twips) of margin at the top and at the bottom.
        QVERIFY(qAbs(printers.printableHeight() - (paperHeight - 240)) < 1);
        QLocale::setDefault(QLocale::c());
    }

    // Where the PDF is to go is asked when the document starts; a document
    // that did not get out is discarded, and the next one prints.
    void saveAsPdf_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("error");
        QTest::newRow("a new file") << "Mum.pdf" << true << "";
        QTest::newRow("the file dialog is cancelled") << "" << false << "";
        QTest::newRow("a folder where the file should be")
            << "folder.pdf" << false << "\u201c%1/folder.pdf\u201d could not be written";
        QTest::newRow("in a folder that is not there")
            << "missing/Mum.pdf" << false << "\u201c%1/missing/Mum.pdf\u201d could not be written";
    }
    void saveAsPdf()
    {
        QFETCH(QString, answer);
        QFETCH(QString, error);
        QTemporaryDir folder;
        QDir(folder.path()).mkdir(QStringLiteral("folder.pdf"));
        const QString path = answer.isEmpty() ? QString() : folder.filePath(answer);
        ScriptedPrompter prompter;
        prompter.fileAnswers = QStringList{path, folder.filePath("again.pdf")};
        SystemPrinterService printers(prompter);
        printers.setCurrentPrinter(SystemPrinterService::pdfPrinterName());
        printers.setDocumentName(QStringLiteral("Mum"));

        QTEST(printTwoPages(printers), "saved");
        QCOMPARE(printers.errorString().section(u':', 0, 0),
                 QString(error).replace("%1", folder.path()));
        const QString documents =
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(prompter.log.value(0), "save Save as PDF: " + documents + "/Mum.pdf");
        if (!path.isEmpty() && error.isEmpty())
            QCOMPARE(head(path), "%PDF-");

        printers.abortDocument();
        QVERIFY(printTwoPages(printers));
        QCOMPARE(head(folder.filePath("again.pdf")), "%PDF-");
    }

    // The program builds its window while the print server is still asked
    // for the default printer's paper; only the column sizing waits for it.
    void startUpDoesNotWaitForThePrintServer()
    {
        const QString socket = m_folder.filePath("silent.sock");
        SilentServer server(socket);
        const QByteArray usual = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", QFile::encodeName(socket));

        std::atomic<bool> released = false;
        std::mutex mutex;
        std::condition_variable wake;
        bool constructed = false;
        // Should construction wait for the server, this ends the wait.
        std::thread watchdog([&] {
            std::unique_lock lock(mutex);
            wake.wait_for(lock, std::chrono::seconds(10), [&] { return constructed; });
            released = true;
            server.release();
        });

        ScriptedPrompter prompter;
        QElapsedTimer timer;
        timer.start();
        auto printers = std::make_unique<SystemPrinterService>(prompter);
        const qint64 constructionMs = timer.elapsed();
        const bool answeredBeforeConstructed = released;
        {
            std::lock_guard lock(mutex);
            constructed = true;
        }
        wake.notify_one();
        watchdog.join();
        qputenv("CUPS_SERVER", usual);

        QVERIFY2(!answeredBeforeConstructed,
                 qPrintable(QStringLiteral("construction took %1 ms").arg(constructionMs)));
        QCOMPARE(printers->pageWidth(), 0);
    }

private:
    QTemporaryDir m_folder;
};

QTEST_MAIN(TestSystemPrinter)
#include "tst_systemprinter.moc"
