#include "LineWrapper.h"

#include "TextMeasurer.h"

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ';
}

qsizetype skipBlanks(const QString &text, qsizetype from)
{
    while (from < text.size() && isBlank(text.at(from)))
        ++from;
    return from;
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

// The last of count places that fits, or -1 when none does; a place fits
// when all before it do. Measuring is slow next to everything else here, so
// the search starts at a guess and widens its steps from there.
qsizetype LineWrapper::lastFitting(qsizetype count, qsizetype guess,
                                   const std::function<bool(qsizetype)> &fits)
{
    if (count == 0)
        return -1;
    qsizetype fitting = -1;
    qsizetype tooWide = count;
    const qsizetype start = std::clamp<qsizetype>(guess, 0, count - 1);
    if (fits(start)) {
        fitting = start;
        for (qsizetype step = 1; fitting + step < count; step *= 2) {
            if (!fits(fitting + step)) {
                tooWide = fitting + step;
                break;
            }
            fitting += step;
        }
    } else {
        tooWide = start;
        for (qsizetype step = 1; tooWide - step >= 0; step *= 2) {
            if (fits(tooWide - step)) {
                fitting = tooWide - step;
                break;
            }
            tooWide -= step;
        }
    }
    while (tooWide - fitting > 1) {
        const qsizetype middle = fitting + (tooWide - fitting) / 2;
        if (fits(middle))
            fitting = middle;
        else
            tooWide = middle;
    }
    return fitting;
}

void LineWrapper::SplitNotesLine(const QString &text, double limit, QString &first,
                                 QString &rest) const
{
    const double width = m_measurer.width(text);
    if (width <= limit) {
        first = text;
        rest.clear();
        return;
    }
    const auto fitsUpTo = [&](qsizetype end) { return m_measurer.width(text.first(end)) <= limit; };
    // A first guess from the whole text's width spares most measurements.
    const auto guess = qsizetype(double(text.size()) * limit / width);

    // Where words end, a cut keeps every word whole. A run of blanks at the
    // very start is indentation, not a place to cut.
    QList<qsizetype> wordEnds;
    for (qsizetype i = skipBlanks(text, 0); i < text.size(); ++i) {
        if (isBlank(text.at(i)) && !isBlank(text.at(i - 1)))
            wordEnds << i;
    }
    const qsizetype word = lastFitting(
        wordEnds.size(),
        std::upper_bound(wordEnds.cbegin(), wordEnds.cend(), guess) - wordEnds.cbegin() - 1,
        [&](qsizetype index) { return fitsUpTo(wordEnds.at(index)); });
    if (word >= 0) {
        first = text.first(wordEnds.at(word));
        rest = text.sliced(skipBlanks(text, wordEnds.at(word)));
        return;
    }

    // The first word alone is wider than the line.
    const qsizetype wordEnd = wordEnds.isEmpty() ? text.size() : wordEnds.first();
    qsizetype length =
        lastFitting(wordEnd, guess - 1, [&](qsizetype index) { return fitsUpTo(index + 1); }) + 1;
    length = std::max<qsizetype>(length, 1);
    // A character outside the basic plane is never cut in two.
    if (length < text.size() && text.at(length).isLowSurrogate())
        length += length == 1 ? 1 : -1;
    // A letter wider than the line may end its word: its blanks go too.
    first = text.first(length);
    rest = text.sliced(skipBlanks(text, length));
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
