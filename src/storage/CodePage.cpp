#include "CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char *Name = "windows-1252";
} // namespace

namespace CodePage {

QString decode(QByteArrayView bytes)
{
    return QStringDecoder(Name, QStringConverter::Flag::Stateless).decode(bytes);
}

bool encode(const QString &text, QByteArray &out)
{
    QStringEncoder encoder(Name, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    out += bytes;
    return true;
}

bool canEncode(const QString &text)
{
    QByteArray ignored;
    return encode(text, ignored);
}

QString firstUnencodable(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Keep surrogate pairs together so the character is named whole.
        qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QString character = text.mid(i, length);
        if (!canEncode(character))
            return character;
        i += length - 1;
    }
    return {};
}

} // namespace CodePage
