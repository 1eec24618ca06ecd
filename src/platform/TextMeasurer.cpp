#include "TextMeasurer.h"

#include "Twips.h"

#include <QFontMetricsF>
#include <QRegularExpression>

#include <algorithm>

namespace {

QStringList linesOf(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineBreak);
}

} // namespace

FontTextMeasurer::FontTextMeasurer(const QFont &font) : m_font(font) {}

double FontTextMeasurer::width(const QString &text) const
{
    const QFontMetricsF metrics(m_font);
    double widest = 0;
    for (const QString &line : linesOf(text))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return Twips::fromPixels(widest);
}

double FontTextMeasurer::height(const QString &text) const
{
    const QFontMetricsF metrics(m_font);
    return Twips::fromPixels(metrics.height() * linesOf(text).size());
}
