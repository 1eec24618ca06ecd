#pragma once

#include "PrinterService.h"

#include <QStringList>

// Keeps every text and rule with its page, place and font. Lines are
// FontSize x 24 twips high, characters 50 wide, unlike any measuring font.
class RecordingPrinter : public PrinterService
{
public:
    struct Output
    {
        int page;
        double x, y;
        QString text; // empty for a rule
        double size;
        bool bold;
    };

    QStringList printers{"Office", "Kitchen"};
    QString current = QStringLiteral("Office");
    int paperWidth = 12000; // portrait, 15840 in landscape; 0 stands for no printer
    double drawingHeight = 15000;
    QString failure;      // what endDocument() reports
    bool callOff = false; // the user calls the document off, as in a file dialog
    QStringList log;      // "end" and "abort"
    QList<Output> printed;

    QStringList installedPrinters() const override { return printers; }
    void setCurrentPrinter(const QString &name) override { current = name; }
    QString currentPrinter() const override { return current; }
    Orientation orientation() const override { return m_orientation; }
    void setOrientation(Orientation o) override { m_orientation = o; }
    int pageWidth() const override { return m_orientation == Landscape ? 15840 : paperWidth; }
    double printableHeight() const override { return drawingHeight; }
    double x() const override { return m_x; }
    void setX(double x) override { m_x = x; }
    double y() const override { return m_y; }
    void setY(double y) override { m_y = y; }
    double fontSize() const override { return m_size; }
    void setFontSize(double points) override { m_size = points; }
    void setBold(bool bold) override { m_bold = bold; }
    void setDocumentName(const QString &) override {}
    void printAndStay(const QString &text) override
    {
        if (!text.isEmpty())
            printed << Output{m_page, m_x, m_y, text, m_size, m_bold};
        m_x += 50.0 * text.size();
    }
    void printAndEndLine(const QString &text = {}) override
    {
        printAndStay(text);
        m_x = 0;
        m_y += m_size * 24;
    }
    void line(double x1, double y1, double, double) override
    {
        printed << Output{m_page, x1, y1, {}, m_size, m_bold};
    }
    int pageNumber() const override { return m_page; }
    void newPage() override
    {
        m_x = m_y = 0;
        ++m_page;
    }
    bool endDocument() override
    {
        log << "end";
        return !callOff && failure.isEmpty();
    }
    QString errorString() const override { return callOff ? QString() : failure; }
    void abortDocument() override { log << "abort"; }

private:
    Orientation m_orientation = Portrait;
    double m_x = 0, m_y = 0, m_size = 10;
    bool m_bold = false;
    int m_page = 1;
};
