#include "CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <array>
#include <cstring>
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

// ICU converts byte by byte through several layers; a table of the 256
// characters, taken from the same converter once, does the same work many
// times faster. It stays empty should a byte ever decode to other than one
// UTF-16 unit, and the converter then does all the work.
using DecodeTable = std::array<char16_t, 256>;

std::optional<DecodeTable> buildDecodeTable()
{
    DecodeTable table;
    for (int byte = 0; byte < 256; ++byte) {
        const char c = char(byte);
        const QString decoded = cachedDecoder().decode(QByteArrayView(&c, 1));
        if (decoded.size() != 1)
            return std::nullopt;
        table[byte] = decoded.front().unicode();
    }
    return table;
}

const std::optional<DecodeTable> &decodeTable()
{
    static const std::optional<DecodeTable> table = buildDecodeTable();
    return table;
}

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

namespace CodePage {

QString decode(QByteArrayView bytes)
{
    const std::optional<DecodeTable> &table = decodeTable();
    if (!table)
        return cachedDecoder().decode(bytes);
    // Below 0x80 the code page is ASCII, so Qt's fast Latin-1 conversion
    // does most of the work; only blocks holding a high byte are looked up.
    QString text = QString::fromLatin1(bytes);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    constexpr qsizetype Block = 8;
    for (qsizetype start = 0; start < bytes.size(); start += Block) {
        const qsizetype end = std::min(start + Block, bytes.size());
        quint64 word = 0;
        std::memcpy(&word, bytes.data() + start, size_t(end - start));
        if ((word & 0x8080808080808080) == 0)
            continue;
        for (qsizetype i = start; i < end; ++i)
            out[i] = (*table)[static_cast<unsigned char>(bytes[i])];
    }
    return text;
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
