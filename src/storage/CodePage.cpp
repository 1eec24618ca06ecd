#include "CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <optional>

namespace {
constexpr const char *Name = "windows-1252";

// Opening a converter costs far more than converting one line, and a list
// file has 315 of them, so one converter of each kind is kept and reused.
// Its error flag only ever goes up (resetState() leaves it set, and a moved-to
// converter stops reporting errors), so after an error the encoder is
// dropped and the next call builds a fresh one.
std::optional<QStringEncoder> &cachedEncoder()
{
    thread_local std::optional<QStringEncoder> encoder;
    if (!encoder)
        encoder.emplace(Name, QStringConverter::Flag::Stateless);
    return encoder;
}

QStringDecoder &cachedDecoder()
{
    thread_local QStringDecoder decoder(Name, QStringConverter::Flag::Stateless);
    return decoder;
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

namespace CodePage {

QString decode(QByteArrayView bytes)
{
    // The code page agrees with ASCII, which most lines are; ASCII needs no
    // converter.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    return cachedDecoder().decode(bytes);
}

bool encode(const QString &text, QByteArray &out)
{
    if (isAscii(text)) {
        out += QStringView(text).toLatin1();
        return true;
    }
    std::optional<QStringEncoder> &encoder = cachedEncoder();
    QByteArray bytes = encoder->encode(text);
    if (encoder->hasError() || !encoder->isValid()) {
        encoder.reset();
        return false;
    }
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
