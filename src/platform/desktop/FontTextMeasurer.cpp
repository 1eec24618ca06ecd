#include "FontTextMeasurer.h"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace {

constexpr double TwipsPerInch = 1440;
constexpr double MetresPerInch = 0.0254;

// A device of 1440 dots per inch, on which a pixel is a twip. A screen rounds
// a font to whole pixels, 10 points to 9.75 at 96 dots per inch, and the
// page would then hold text 3% wider than was measured for it.
const QImage &twipsDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMetre = int(std::lround(TwipsPerInch / MetresPerInch));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

// Calls visit for each line of text; a line ends at CR LF, a lone CR or LF.
template <typename Visit> qsizetype forEachLine(QStringView text, Visit visit)
{
    qsizetype lines = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        visit(text.sliced(start, i - start));
        ++lines;
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    visit(text.sliced(start));
    return lines + 1;
}

} // namespace

FontTextMeasurer::FontTextMeasurer(const QFont &font)
    : m_font(font), m_metrics(font, &twipsDevice())
{}

void FontTextMeasurer::setFont(const QFont &font)
{
    m_font = font;
    m_metrics = QFontMetricsF(font, &twipsDevice());
}

void FontTextMeasurer::setPointSize(double points)
{
    QFont font = m_font;
    font.setPointSizeF(points);
    setFont(font);
}

void FontTextMeasurer::setBold(bool bold)
{
    QFont font = m_font;
    font.setBold(bold);
    setFont(font);
}

double FontTextMeasurer::width(const QString &text) const
{
    double widest = 0;
    forEachLine(text, [&](QStringView line) {
        widest = std::max(widest, m_metrics.horizontalAdvance(line.toString()));
    });
    return widest;
}

double FontTextMeasurer::height(const QString &text) const
{
    const qsizetype lines = forEachLine(text, [](QStringView) {});
    return m_metrics.height() * double(lines);
}
