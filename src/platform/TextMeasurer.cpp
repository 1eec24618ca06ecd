#include "TextMeasurer.h"

#include "Twips.h"

#include <algorithm>

namespace {

// Bounds the memory a long session of edits can leave behind.
constexpr qsizetype MaxRememberedWidths = 4096;

// Calls visit for each line of text; a line ends at CR LF, a lone CR or LF.
template<typename Visit>
qsizetype forEachLine(QStringView text, Visit visit)
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

FontTextMeasurer::FontTextMeasurer(const QFont &font) : m_metrics(font) {}

void FontTextMeasurer::setFont(const QFont &font)
{
    m_metrics = QFontMetricsF(font);
    m_lineWidths.clear();
}

double FontTextMeasurer::lineWidth(QStringView line) const
{
    if (line.isEmpty())
        return 0;
    const QString key = line.toString();
    const auto known = m_lineWidths.constFind(key);
    if (known != m_lineWidths.constEnd())
        return *known;
    if (m_lineWidths.size() >= MaxRememberedWidths)
        m_lineWidths.clear();
    const double width = m_metrics.horizontalAdvance(key);
    m_lineWidths.insert(key, width);
    return width;
}

double FontTextMeasurer::width(const QString &text) const
{
    double widest = 0;
    forEachLine(text, [&](QStringView line) { widest = std::max(widest, lineWidth(line)); });
    return Twips::fromPixels(widest);
}

double FontTextMeasurer::height(const QString &text) const
{
    const qsizetype lines = forEachLine(text, [](QStringView) {});
    return Twips::fromPixels(m_metrics.height() * lines);
}
