#pragma once

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

class QPageLayout;

// One document drawn as a PDF in memory, addressed in twips from the top-left
// corner of the page's drawing area. Kept in memory until it is complete, so
// that neither a printer nor a file ever sees half a document.
class PdfCanvas
{
public:
    PdfCanvas(const QPageLayout &layout, const QString &title);

    // Draws text with its top-left corner at (x, y).
    void drawText(double x, double y, const QString &text, const QFont &font);
    void drawLine(double x1, double y1, double x2, double y2);
    double textWidth(const QString &text, const QFont &font) const;
    double lineHeight(const QFont &font) const;
    bool newPage();
    // Ends the document and hands over its bytes.
    QByteArray finish();

private:
    double toDevice(double twips) const;
    double toTwips(double device) const;

    QBuffer m_bytes;
    QPdfWriter m_writer;
    QPainter m_painter;
};
