#include "LineWrapper.h"

#include "TextMeasurer.h"

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ';
}

} // namespace

QStringList LineWrapper::userLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.sliced(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    lines << text.sliced(start);
    return lines;
}

// The longest start of text no wider than limit. Widths grow with every
// character, so halving the range finds it in a few measurements.
qsizetype LineWrapper::fittingLength(const QString &text, double limit) const
{
    qsizetype fits = 0;
    qsizetype tooWide = text.size() + 1;
    while (tooWide - fits > 1) {
        const qsizetype middle = fits + (tooWide - fits) / 2;
        if (m_measurer.width(text.first(middle)) <= limit)
            fits = middle;
        else
            tooWide = middle;
    }
    return fits;
}

void LineWrapper::SplitNotesLine(const QString &text, double limit, QString &first,
                                 QString &rest) const
{
    if (m_measurer.width(text) <= limit) {
        first = text;
        rest.clear();
        return;
    }
    qsizetype length = std::max<qsizetype>(fittingLength(text, limit), 1);
    // A character outside the basic plane is never cut in two.
    if (length < text.size() && text.at(length).isLowSurrogate())
        length += length == 1 ? 1 : -1;

    // The last blank that fits may also be the one just after the part that
    // fits. A run of blanks at the very start is indentation, not a place to
    // cut.
    const qsizetype blank = text.lastIndexOf(u' ', std::min(length, text.size() - 1));
    qsizetype wordStart = 0;
    while (wordStart < text.size() && isBlank(text.at(wordStart)))
        ++wordStart;
    if (blank > wordStart) {
        qsizetype firstEnd = blank;
        while (isBlank(text.at(firstEnd - 1)))
            --firstEnd;
        qsizetype restStart = blank + 1;
        while (restStart < text.size() && isBlank(text.at(restStart)))
            ++restStart;
        first = text.first(firstEnd);
        rest = text.sliced(restStart);
        return;
    }
    first = text.first(length);
    rest = text.sliced(length);
}

QStringList LineWrapper::wrap(const QString &line, double firstLimit, double nextLimit) const
{
    QStringList lines;
    QString rest = line;
    double limit = firstLimit;
    do {
        QString first;
        QString next;
        SplitNotesLine(rest, limit, first, next);
        lines << first;
        rest = next;
        limit = nextLimit;
    } while (!rest.isEmpty());
    return lines;
}
