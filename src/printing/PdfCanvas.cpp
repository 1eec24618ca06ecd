#include "PdfCanvas.h"

#include "ProgramInfo.h"

#include <QFontMetricsF>
#include <QPageLayout>

namespace {

constexpr double TwipsPerInch = 1440;
// A twip to a dot: text is laid out at whole-dot font sizes, and at this
// resolution a font's size in points comes out whole, so the page's text is
// exactly as wide as the measuring font found it.
constexpr int Resolution = 1440;
// Half a point: a rule that shows on paper without weighing on the text.
constexpr double RuleWidthInches = 0.5 / 72;

} // namespace

PdfCanvas::PdfCanvas(const QPageLayout &layout, const QString &title) : m_writer(&m_bytes)
{
    m_bytes.open(QIODevice::WriteOnly);
    m_writer.setResolution(Resolution);
    m_writer.setPageLayout(layout);
    m_writer.setTitle(title);
    m_writer.setCreator(ProgramInfo::title());
    m_painter.begin(&m_writer);
    m_painter.setPen(QPen(Qt::black, RuleWidthInches * Resolution));
}

double PdfCanvas::toDevice(double twips) const
{
    return twips * Resolution / TwipsPerInch;
}

double PdfCanvas::toTwips(double device) const
{
    return device * TwipsPerInch / Resolution;
}

void PdfCanvas::drawText(double x, double y, const QString &text, const QFont &font)
{
    m_painter.setFont(font);
    const QFontMetricsF metrics(font, &m_writer);
    m_painter.drawText(QPointF(toDevice(x), toDevice(y) + metrics.ascent()), text);
}

void PdfCanvas::drawLine(double x1, double y1, double x2, double y2)
{
    m_painter.drawLine(QPointF(toDevice(x1), toDevice(y1)), QPointF(toDevice(x2), toDevice(y2)));
}

double PdfCanvas::textWidth(const QString &text, const QFont &font) const
{
    return toTwips(QFontMetricsF(font, &m_writer).horizontalAdvance(text));
}

double PdfCanvas::lineHeight(const QFont &font) const
{
    return toTwips(QFontMetricsF(font, &m_writer).lineSpacing());
}

bool PdfCanvas::newPage()
{
    return m_writer.newPage();
}

QByteArray PdfCanvas::finish()
{
    m_painter.end();
    m_bytes.close();
    return m_bytes.data();
}
