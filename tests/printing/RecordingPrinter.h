#pragma once

#include "PrinterService.h"

#include <QStringList>

// A printer that writes down what it is asked to do, one entry a call:
//   "print X,Y text"     print and stay
//   "endline X,Y text"   print and end the line
//   "line X1,Y1 X2,Y2"   "newpage"   "end"   "abort"
//   "check Y"            the printable height was read, at position Y
//   "font SIZE [bold]"   the font of the next text, logged when it changes
// Its lines are FontSize × 24 twips high and its characters 50 twips wide,
// unlike any measuring font, so a layout that wraps by the printer's widths
// shows.
class RecordingPrinter : public PrinterService
{
public:
    static constexpr double CharacterWidth = 50;
    static double lineHeightFor(double fontSize) { return fontSize * 24; }

    QStringList printers{QStringLiteral("Office"), QStringLiteral("Kitchen")};
    QString current = QStringLiteral("Office");
    // Paper in portrait; 0 wide stands for no printer.
    int paperWidth = 12000;
    int paperHeight = 15840;
    double drawingHeight = 15000;
    // What endDocument() says went wrong; empty for a document that is sent.
    QString failure;
    // The user calls the document off when it starts, as in a file dialog.
    bool callOff = false;

    QStringList log;
    QList<Orientation> orientations;
    int documentsSent = 0;

    QStringList installedPrinters() const override { return printers; }
    void setCurrentPrinter(const QString &deviceName) override { current = deviceName; }
    QString currentPrinter() const override { return current; }

    Orientation orientation() const override { return m_orientation; }
    void setOrientation(Orientation orientation) override
    {
        m_orientation = orientation;
        orientations << orientation;
    }
    int pageWidth() const override { return m_orientation == Landscape ? paperHeight : paperWidth; }
    double printableHeight() const override
    {
        const_cast<RecordingPrinter *>(this)->log << "check " + number(m_y);
        return drawingHeight;
    }

    double x() const override { return m_x; }
    void setX(double x) override { m_x = x; }
    double y() const override { return m_y; }
    void setY(double y) override { m_y = y; }
    double fontSize() const override { return m_fontSize; }
    void setFontSize(double points) override { m_fontSize = points; }
    void setBold(bool bold) override { m_bold = bold; }

    void setDocumentName(const QString &name) override { documentName = name; }
    void printAndStay(const QString &text) override
    {
        output("print", text);
        m_x += CharacterWidth * text.size();
    }
    void printAndEndLine(const QString &text = {}) override
    {
        output("endline", text);
        m_x = 0;
        m_y += lineHeightFor(m_fontSize);
    }
    void line(double x1, double y1, double x2, double y2) override
    {
        start();
        log << QStringLiteral("line %1,%2 %3,%4")
                   .arg(number(x1), number(y1), number(x2), number(y2));
    }
    int pageNumber() const override { return m_page; }
    void newPage() override
    {
        start();
        log << QStringLiteral("newpage");
        ++m_page;
        m_x = 0;
        m_y = 0;
    }
    bool endDocument() override
    {
        log << QStringLiteral("end");
        if (!m_started)
            return true;
        if (callOff || !failure.isEmpty())
            return false;
        ++documentsSent;
        m_started = false;
        return true;
    }
    QString errorString() const override { return callOff ? QString() : failure; }
    void abortDocument() override
    {
        log << QStringLiteral("abort");
        m_started = false;
    }

    QString documentName;

    // The texts printed, in order, without positions.
    QStringList texts() const
    {
        QStringList result;
        for (const QString &entry : log) {
            if (entry.startsWith("print ") || entry.startsWith("endline "))
                result << entry.section(u' ', 2);
        }
        return result;
    }

    static QString number(double value) { return QString::number(value, 'g', 10); }

private:
    void start()
    {
        if (!m_started) {
            m_started = true;
            m_page = 1;
        }
    }
    void output(const char *kind, const QString &text)
    {
        start();
        const QString font = number(m_fontSize) + (m_bold ? " bold" : "");
        if (font != m_loggedFont) {
            log << "font " + font;
            m_loggedFont = font;
        }
        log << QStringLiteral("%1 %2,%3 %4").arg(kind, number(m_x), number(m_y), text);
    }

    Orientation m_orientation = Portrait;
    double m_x = 0;
    double m_y = 0;
    double m_fontSize = 10;
    bool m_bold = false;
    int m_page = 1;
    bool m_started = false;
    QString m_loggedFont;
};
