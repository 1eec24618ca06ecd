#include "FontTextMeasurer.h"

#include "Twips.h"

#include <algorithm>

namespace {

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

FontTextMeasurer::FontTextMeasurer(const QFont &font) : m_font(font), m_metrics(font) {}

void FontTextMeasurer::setFont(const QFont &font)
{
    m_font = font;
    m_metrics = QFontMetricsF(font);
}

double FontTextMeasurer::width(const QString &text) const
{
    double widest = 0;
    forEachLine(text, [&](QStringView line) {
        widest = std::max(widest, m_metrics.horizontalAdvance(line.toString()));
    });
    return Twips::fromPixels(widest);
}

double FontTextMeasurer::height(const QString &text) const
{
    const qsizetype lines = forEachLine(text, [](QStringView) {});
    return Twips::fromPixels(m_metrics.height() * lines);
}
