#include "LineBreaks.h"

#include <QList>

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

QString DisplayLineBreaks(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != CR) {
            shown += text[i];
            continue;
        }
        shown += LF;
        if (i + 1 < text.size() && text[i + 1] == LF)
            ++i;
    }
    return shown;
}

QString MergeDisplayEdit(const QString &stored, const QString &edited)
{
    // Where each character of the display form starts in stored; the last
    // entry is the end of stored.
    QList<qsizetype> origin;
    origin.reserve(stored.size() + 1);
    QString shown;
    shown.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        origin.append(i);
        if (stored[i] != CR) {
            shown += stored[i];
            continue;
        }
        shown += LF;
        if (i + 1 < stored.size() && stored[i + 1] == LF)
            ++i;
    }
    origin.append(stored.size());
    if (shown == edited)
        return stored;

    const qsizetype common = std::min(shown.size(), edited.size());
    qsizetype prefix = 0;
    while (prefix < common && shown[prefix] == edited[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < common - prefix &&
           shown[shown.size() - 1 - suffix] == edited[edited.size() - 1 - suffix])
        ++suffix;
    QString changed = edited.mid(prefix, edited.size() - prefix - suffix);
    changed.replace(LF, QStringLiteral("\r\n"));
    return stored.left(origin[prefix]) + changed + stored.mid(origin[shown.size() - suffix]);
}
