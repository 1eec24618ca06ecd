#include "LineBreaks.h"

#include <algorithm>

namespace {
constexpr QChar CR = u'\r';
constexpr QChar LF = u'\n';
constexpr QChar Tilde = u'~';
} // namespace

// Both transforms keep the length of the text ("~~" for CR LF, "~" for a lone
// CR), so they work on a copy in place; a text with nothing to change is
// handed back without a copy.

QString EncodeLineBreaks(const QString &text)
{
    if (!text.contains(CR))
        return text;
    QString result = text;
    QChar *c = result.data();
    const qsizetype size = result.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (c[i] != CR)
            continue;
        c[i] = Tilde;
        if (i + 1 < size && c[i + 1] == LF)
            c[++i] = Tilde;
    }
    return result;
}

QString DecodeLineBreaks(const QString &line)
{
    if (!line.contains(Tilde))
        return line;
    return DecodeLineBreaks(QStringView(line));
}

QString DecodeLineBreaks(QStringView line)
{
    // Tildes are rare, so the text between them is copied in blocks.
    QString result(line.size(), Qt::Uninitialized);
    QChar *out = result.data();
    const qsizetype size = line.size();
    qsizetype from = 0;
    while (from < size) {
        qsizetype tilde = line.indexOf(Tilde, from);
        if (tilde < 0)
            tilde = size;
        std::copy(line.begin() + from, line.begin() + tilde, out + from);
        if (tilde == size)
            break;
        out[tilde] = CR;
        from = tilde + 1;
        if (from < size && line[from] == Tilde)
            out[from++] = LF;
    }
    return result;
}
