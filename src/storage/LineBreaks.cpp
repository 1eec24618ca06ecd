#include "LineBreaks.h"

namespace {
constexpr QChar CR = u'\r';
constexpr QChar LF = u'\n';
constexpr QChar Tilde = u'~';
} // namespace

QString EncodeLineBreaks(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != CR) {
            result += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == LF) {
            result += QStringLiteral("~~");
            ++i;
        } else {
            result += Tilde;
        }
    }
    return result;
}

QString DecodeLineBreaks(const QString &line)
{
    QString result;
    result.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != Tilde) {
            result += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == Tilde) {
            result += CR;
            result += LF;
            ++i;
        } else {
            result += CR;
        }
    }
    return result;
}
