#pragma once

#include "PrinterService.h"

#include <QFont>
#include <QObject>
#include <QPageLayout>
#include <QPageSize>

#include <memory>
#include <optional>

class PdfCanvas;
class Prompter;

// The printers the system offers (CUPS on Linux), and after them one that
// saves the document as a PDF file, so a list can be handed on without any
// printer. The current printer is the system's default until one is chosen.
//
// Asking CUPS for the default printer's paper can take longer than the whole
// start of the program, and a print server that hangs never answers at all.
// So the print system is asked once, on a thread of its own, and every
// question before its answer is answered from what is known without
// waiting: no printer but the PDF file, no paper but the PDF file's.
// printServerAnswered() tells when the answer has come. The print support
// is never called from two threads at once.
class SystemPrinterService : public QObject, public PrinterService
{
    Q_OBJECT

public:
    static QString pdfPrinterName() { return QStringLiteral("Save as PDF"); }
    static constexpr double DefaultFontSize = 10;

    explicit SystemPrinterService(Prompter &prompter);
    ~SystemPrinterService() override;

    // Whether the print server has answered the question asked at the start.
    bool hasAnswered() const;

    QStringList installedPrinters() const override;
    void setCurrentPrinter(const QString &deviceName) override;
    QString currentPrinter() const override;

    Orientation orientation() const override { return m_orientation; }
    void setOrientation(Orientation orientation) override;
    int pageWidth() const override;
    double printableHeight() const override;

    double x() const override { return m_x; }
    void setX(double x) override { m_x = x; }
    double y() const override { return m_y; }
    void setY(double y) override { m_y = y; }
    double fontSize() const override { return m_font.pointSizeF(); }
    void setFontSize(double points) override { m_font.setPointSizeF(points); }
    void setBold(bool bold) override { m_font.setBold(bold); }

    void setDocumentName(const QString &name) override { m_documentName = name; }
    void printAndStay(const QString &text) override;
    void printAndEndLine(const QString &text = {}) override;
    void line(double x1, double y1, double x2, double y2) override;
    int pageNumber() const override { return m_pageNumber; }
    void newPage() override;
    bool endDocument() override;
    QString errorString() const override { return m_error; }
    void abortDocument() override;

signals:
    // The print server has answered: the page width may have changed.
    void printServerAnswered();

private:
    struct DefaultPrinter
    {
        QString name;
        QPageSize pageSize;
    };
    enum class Document
    {
        None,
        Open,
        CalledOff,
        Failed
    };

    struct Lookup;

    static DefaultPrinter lookUpDefaultPrinter();
    // Null while the print server has not answered.
    const DefaultPrinter *defaultPrinter() const;
    bool isSystemPrinter(const QString &name) const;
    QPageSize pageSize() const;
    QPageLayout pageLayout() const;
    bool startDocument();
    QString suggestedPdfPath() const;
    QString deliver(const QByteArray &pdf);

    Prompter &m_prompter;
    // Shared with the worker, which may outlive the service.
    std::shared_ptr<Lookup> m_lookup;
    mutable std::optional<DefaultPrinter> m_default;
    std::optional<QString> m_chosenPrinter;
    Orientation m_orientation = Portrait;
    // The server is asked again only when the printer or orientation changes.
    mutable std::optional<QPageSize> m_pageSize;
    mutable std::optional<QPageLayout> m_pageLayout;

    QString m_documentName;
    Document m_document = Document::None;
    QString m_documentPrinter;
    QPageLayout m_documentLayout;
    QString m_pdfPath;
    std::unique_ptr<PdfCanvas> m_canvas;
    QString m_error;
    QFont m_font;
    double m_x = 0;
    double m_y = 0;
    int m_pageNumber = 1;
};
