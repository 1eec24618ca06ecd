#pragma once

#include "PrinterService.h"

#include <QStringList>

// A printer that writes down what it is asked, one entry a call:
//   "print X,Y text", "endline X,Y text"   print and stay, print and end the line
//   "line X1,Y1 X2,Y2", "newpage", "end", "abort"
//   "check Y"         the printable height was read, with the position at Y
//   "font SIZE [bold]"  before a text whose font differs from the last one's
// Its lines are FontSize x 24 twips high and its characters 50 twips wide,
// unlike any measuring font, so a layout that wraps by the printer's widths
// shows.
class RecordingPrinter : public PrinterService
{
public:
    QStringList printers{"Office", "Kitchen"};
    QString current = QStringLiteral("Office");
    // Portrait paper; 0 wide stands for no printer.
    int paperWidth = 12000;
    int paperHeight = 15840;
    double drawingHeight = 15000;
    // What endDocument() reports; empty for a document that goes out.
    QString failure;
    // The user calls the document off when it starts, as in a file dialog.
    bool callOff = false;

    // Reading the printable height is logged too.
    mutable QStringList log;
    QList<Orientation> orientations;
    int documentsSent = 0;
    QString documentName;

    QStringList installedPrinters() const override { return printers; }
    void setCurrentPrinter(const QString &name) override { current = name; }
    QString currentPrinter() const override { return current; }
    Orientation orientation() const override { return m_orientation; }
    void setOrientation(Orientation o) override { orientations << (m_orientation = o); }
    int pageWidth() const override { return m_orientation == Landscape ? paperHeight : paperWidth; }
    double printableHeight() const override
    {
        log << "check " + number(m_y);
        return drawingHeight;
    }
    double x() const override { return m_x; }
    void setX(double x) override { m_x = x; }
    double y() const override { return m_y; }
    void setY(double y) override { m_y = y; }
    double fontSize() const override { return m_size; }
    void setFontSize(double points) override { m_size = points; }
    void setBold(bool bold) override { m_bold = bold; }
    void setDocumentName(const QString &name) override { documentName = name; }
    void printAndStay(const QString &text) override
    {
        output("print", text);
        m_x += 50.0 * text.size();
    }
    void printAndEndLine(const QString &text = {}) override
    {
        output("endline", text);
        m_x = 0;
        m_y += m_size * 24;
    }
    void line(double x1, double y1, double x2, double y2) override
    {
        log << QStringLiteral("line %1,%2 %3,%4")
                   .arg(number(x1), number(y1), number(x2), number(y2));
    }
    int pageNumber() const override { return m_page; }
    void newPage() override
    {
        log << QStringLiteral("newpage");
        ++m_page;
        m_x = m_y = 0;
    }
    bool endDocument() override
    {
        log << QStringLiteral("end");
        const bool sent = !callOff && failure.isEmpty();
        documentsSent += sent ? 1 : 0;
        return sent;
    }
    QString errorString() const override { return callOff ? QString() : failure; }
    void abortDocument() override { log << QStringLiteral("abort"); }

    // The texts printed, in order.
    QStringList texts() const
    {
        QStringList result;
        for (const QString &entry : log) {
            if (entry.startsWith("print ") || entry.startsWith("endline "))
                result << entry.section(u' ', 2);
        }
        return result;
    }

private:
    static QString number(double value) { return QString::number(value, 'g', 10); }
    void output(const char *kind, const QString &text)
    {
        const QString font = number(m_size) + (m_bold ? " bold" : "");
        if (font != m_font)
            log << "font " + (m_font = font);
        log << QStringLiteral("%1 %2,%3 %4").arg(kind, number(m_x), number(m_y), text);
    }

    Orientation m_orientation = Portrait;
    double m_x = 0;
    double m_y = 0;
    double m_size = 10;
    bool m_bold = false;
    int m_page = 1;
    QString m_font;
};
