#include "SystemPrinterService.h"

#include "CupsJob.h"
#include "PdfCanvas.h"
#include "ProgramInfo.h"
#include "Prompter.h"
#include "SaveFile.h"

#include <QDir>
#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

#include <cmath>
#include <mutex>
#include <thread>

namespace {

// Paper sizes are read in millimetres: Qt keeps points as whole numbers,
// which puts A4 six twips off.
constexpr double TwipsPerMillimetre = 1440 / 25.4;
// The report runs from 240 twips right of the drawing area's edge to 480
// short of the paper's width; 6 points all round centres that on the page.
constexpr double PdfMarginPoints = 6;

QPageSize localePaper()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                      : QPageSize(QPageSize::A4);
}

QPageLayout::Orientation layoutOrientation(PrinterService::Orientation orientation)
{
    return orientation == PrinterService::Landscape ? QPageLayout::Landscape
                                                    : QPageLayout::Portrait;
}

// The print support keeps state of its own without guarding it, so only
// one thread at a time may ask the print system anything. The window's
// thread asks only once the service's own question has been answered, so
// in the running program it never waits here. Never destroyed: a worker
// stuck on a silent server may still hold it when the program ends.
std::mutex &printSupport()
{
    static auto *mutex = new std::mutex;
    return *mutex;
}

} // namespace

struct SystemPrinterService::Lookup
{
    std::mutex mutex;
    std::optional<DefaultPrinter> answer;
    // Cleared when the service goes, so the answer tells nobody.
    SystemPrinterService *owner = nullptr;
};

SystemPrinterService::SystemPrinterService(Prompter &prompter)
    : m_prompter(prompter), m_lookup(std::make_shared<Lookup>())
{
    m_lookup->owner = this;
    // Detached, holding its share of the answer: at the end of the program
    // nothing waits for a worker still stuck on a silent server.
    std::thread([lookup = m_lookup] {
        DefaultPrinter answer;
        {
            const std::lock_guard busy(printSupport());
            answer = lookUpDefaultPrinter();
        }
        const std::lock_guard lock(lookup->mutex);
        lookup->answer = std::move(answer);
        if (lookup->owner)
            QMetaObject::invokeMethod(lookup->owner, &SystemPrinterService::printServerAnswered,
                                      Qt::QueuedConnection);
    }).detach();

    // The printer's sans serif as Windows printers know it; fontconfig gives
    // the typeface with Arial's widths, which the measuring font also has,
    // so the columns the screen measured hold what the printer writes.
    m_font.setFamilies({QStringLiteral("Arial")});
    m_font.setStyleHint(QFont::SansSerif);
    m_font.setPointSizeF(DefaultFontSize);
}

SystemPrinterService::~SystemPrinterService()
{
    const std::lock_guard lock(m_lookup->mutex);
    m_lookup->owner = nullptr;
}

bool SystemPrinterService::hasAnswered() const
{
    const std::lock_guard lock(m_lookup->mutex);
    return m_lookup->answer.has_value();
}

SystemPrinterService::DefaultPrinter SystemPrinterService::lookUpDefaultPrinter()
{
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        return {};
    return {printer.printerName(), printer.defaultPageSize()};
}

const SystemPrinterService::DefaultPrinter *SystemPrinterService::defaultPrinter() const
{
    if (!m_default) {
        const std::lock_guard lock(m_lookup->mutex);
        if (!m_lookup->answer)
            return nullptr;
        m_default = m_lookup->answer;
    }
    return &*m_default;
}

// A printer of the print system, which may be asked about it now.
bool SystemPrinterService::isSystemPrinter(const QString &name) const
{
    return !name.isEmpty() && name != pdfPrinterName() && defaultPrinter();
}

// Until the print server has answered, only the PDF file is known.
QStringList SystemPrinterService::installedPrinters() const
{
    QStringList printers;
    if (defaultPrinter()) {
        const std::lock_guard busy(printSupport());
        printers = QPrinterInfo::availablePrinterNames();
    }
    return printers << pdfPrinterName();
}

void SystemPrinterService::setCurrentPrinter(const QString &deviceName)
{
    m_chosenPrinter = deviceName;
    m_pageSize.reset();
    m_pageLayout.reset();
}

QString SystemPrinterService::currentPrinter() const
{
    if (m_chosenPrinter)
        return *m_chosenPrinter;
    const DefaultPrinter *fallback = defaultPrinter();
    return fallback ? fallback->name : QString();
}

void SystemPrinterService::setOrientation(Orientation orientation)
{
    m_orientation = orientation;
    m_pageLayout.reset();
}

QPageSize SystemPrinterService::pageSize() const
{
    if (m_pageSize)
        return *m_pageSize;
    const QString printer = currentPrinter();
    QPageSize size;
    if (printer == pdfPrinterName()) {
        size = localePaper();
    } else if (!isSystemPrinter(printer)) {
        // No answer yet: no paper, and asked again next time.
        return {};
    } else if (!m_chosenPrinter) {
        size = defaultPrinter()->pageSize;
    } else {
        const std::lock_guard busy(printSupport());
        size = QPrinterInfo::printerInfo(printer).defaultPageSize();
    }
    // A queue without a driver names no paper; it gets the locale's.
    if (!size.isValid())
        size = localePaper();
    m_pageSize = size;
    return size;
}

int SystemPrinterService::pageWidth() const
{
    const QPageSize size = pageSize();
    if (!size.isValid())
        return 0;
    const QSizeF paper = size.size(QPageSize::Millimeter);
    const double side = m_orientation == Landscape ? paper.height() : paper.width();
    return int(std::lround(side * TwipsPerMillimetre));
}

QPageLayout SystemPrinterService::pageLayout() const
{
    if (m_pageLayout)
        return *m_pageLayout;
    const QString printer = currentPrinter();
    const QPageLayout::Orientation orientation = layoutOrientation(m_orientation);
    QPageLayout layout;
    if (isSystemPrinter(printer)) {
        // The driver knows the margins the printer cannot print on.
        const std::lock_guard busy(printSupport());
        QPrinter device(QPrinterInfo::printerInfo(printer), QPrinter::HighResolution);
        device.setPageSize(pageSize());
        device.setPageOrientation(orientation);
        layout = device.pageLayout();
    }
    if (!layout.isValid() || !layout.pageSize().isEquivalentTo(pageSize()))
        layout =
            QPageLayout(pageSize(), orientation,
                        printer == pdfPrinterName() ? QMarginsF(PdfMarginPoints, PdfMarginPoints,
                                                                PdfMarginPoints, PdfMarginPoints)
                                                    : QMarginsF(),
                        QPageLayout::Point);
    m_pageLayout = layout;
    return layout;
}

double SystemPrinterService::printableHeight() const
{
    if (!pageSize().isValid())
        return 0;
    return pageLayout().paintRect(QPageLayout::Millimeter).height() * TwipsPerMillimetre;
}

QString SystemPrinterService::suggestedPdfPath() const
{
    const QString name = m_documentName.isEmpty() ? ProgramInfo::title() : m_documentName;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(name + QStringLiteral(".pdf"));
}

// The first output of a document opens it; for a PDF that is when the user
// says where it goes.
bool SystemPrinterService::startDocument()
{
    if (m_document != Document::None)
        return m_document == Document::Open;
    m_error.clear();
    m_documentPrinter = currentPrinter();
    if (m_documentPrinter != pdfPrinterName() && !isSystemPrinter(m_documentPrinter)) {
        m_document = Document::Failed;
        m_error = defaultPrinter() ? QStringLiteral("No printer is installed.")
                                   : QStringLiteral("The print server has not answered yet.");
        return false;
    }
    if (m_documentPrinter == pdfPrinterName()) {
        m_pdfPath = m_prompter.askSaveFileName(QStringLiteral("Save as PDF"), suggestedPdfPath(),
                                               QStringLiteral("PDF files (*.pdf)"));
        if (m_pdfPath.isEmpty()) {
            m_document = Document::CalledOff;
            return false;
        }
    }
    m_documentLayout = pageLayout();
    m_canvas = std::make_unique<PdfCanvas>(m_documentLayout, m_documentName);
    m_document = Document::Open;
    m_pageNumber = 1;
    return true;
}

void SystemPrinterService::printAndStay(const QString &text)
{
    if (!startDocument())
        return;
    m_canvas->drawText(m_x, m_y, text, m_font);
    m_x += m_canvas->textWidth(text, m_font);
}

void SystemPrinterService::printAndEndLine(const QString &text)
{
    if (startDocument()) {
        if (!text.isEmpty())
            m_canvas->drawText(m_x, m_y, text, m_font);
        m_y += m_canvas->lineHeight(m_font);
    }
    m_x = 0;
}

void SystemPrinterService::line(double x1, double y1, double x2, double y2)
{
    if (startDocument())
        m_canvas->drawLine(x1, y1, x2, y2);
}

void SystemPrinterService::newPage()
{
    if (startDocument() && !m_canvas->newPage()) {
        m_canvas.reset();
        m_document = Document::Failed;
        m_error = QStringLiteral("A new page could not be started.");
    }
    ++m_pageNumber;
    m_x = 0;
    m_y = 0;
}

bool SystemPrinterService::endDocument()
{
    if (m_document != Document::Open)
        return m_document == Document::None;
    const QString problem = deliver(m_canvas->finish());
    m_canvas.reset();
    if (!problem.isEmpty()) {
        m_document = Document::Failed;
        m_error = problem;
        return false;
    }
    m_document = Document::None;
    m_pageNumber = 1;
    return true;
}

QString SystemPrinterService::deliver(const QByteArray &pdf)
{
    if (m_documentPrinter != pdfPrinterName()) {
        const std::lock_guard busy(printSupport());
        return CupsJob::send(m_documentPrinter, pdf, m_documentName, m_documentLayout);
    }
    const SaveResult saved = SaveFile::save(m_pdfPath, pdf);
    if (saved)
        return {};
    return QStringLiteral("\u201c%1\u201d could not be written: %2")
        .arg(QDir::toNativeSeparators(m_pdfPath), saved.error);
}

void SystemPrinterService::abortDocument()
{
    m_canvas.reset();
    m_document = Document::None;
    m_pageNumber = 1;
    m_error.clear();
}
