#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class TextMeasurer;

// Breaks the lines of a printed text so that each is no wider than a limit
// in the measuring font: at the last blank that fits, and inside a word only
// when that word alone is wider than a whole line. "1 / 0 mg" would read as
// another dose, so a word is never cut for anything less.
class LineWrapper
{
public:
    explicit LineWrapper(const TextMeasurer &measurer) : m_measurer(measurer) {}

    // The lines the user typed: a line ends at CR LF, and at a CR or an LF
    // alone, which lists written elsewhere may hold.
    static QStringList userLines(const QString &text);

    // Splits text into a first part no wider than limit and the rest, at the
    // last blank that allows it; the blanks at the cut go with neither part.
    // The first part holds at least one character, so wrapping always moves
    // on, even where a single letter is wider than the line.
    void SplitNotesLine(const QString &text, double limit, QString &first, QString &rest) const;

    // One line without line breaks, wrapped: the first line no wider than
    // firstLimit, each further one no wider than nextLimit. An empty text
    // is one empty line.
    QStringList wrap(const QString &line, double firstLimit, double nextLimit) const;
    QStringList wrap(const QString &line, double limit) const { return wrap(line, limit, limit); }

private:
    static qsizetype lastFitting(qsizetype count, qsizetype guess,
                                 const std::function<bool(qsizetype)> &fits);

    const TextMeasurer &m_measurer;
};
