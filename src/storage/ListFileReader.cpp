#include "ListFileReader.h"

#include "CodePage.h"
#include "LineBreaks.h"
#include "ListFileFormat.h"
#include "MedicationList.h"
#include "TextLines.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

bool isNonText(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && byte != '\t' && byte != '\n';
}

// Looks at eight bytes at a time for one below 0x20, the only ones that may
// not be text, and looks closer only where it finds one.
bool holdsNonText(QByteArrayView line)
{
    constexpr quint64 Ones = 0x0101010101010101;
    constexpr quint64 HighBits = 0x8080808080808080;
    qsizetype i = 0;
    for (; i + 8 <= line.size(); i += 8) {
        quint64 word;
        std::memcpy(&word, line.data() + i, 8);
        if (((word - 0x20 * Ones) & ~word & HighBits) != 0 &&
            std::any_of(line.begin() + i, line.begin() + i + 8, isNonText))
            return true;
    }
    return std::any_of(line.begin() + i, line.end(), isNonText);
}

// The decoded lines of a file, as views into text it owns.
struct DecodedLines
{
    QString text;
    QStringList separateLines;
    QList<QStringView> views;
};

DecodedLines decodeLines(const QByteArray &bytes, const TextLines &split)
{
    DecodedLines decoded;
    decoded.views.reserve(split.lines.size());
    if (split.lines.isEmpty())
        return decoded;
    // One conversion of the whole file costs far less than one a line. The
    // code page gives one UTF-16 unit for each byte, so each line lies at
    // the same place in the text as in the bytes.
    const QByteArrayView last = split.lines.last();
    const qsizetype used = last.data() + last.size() - bytes.constData();
    decoded.text = CodePage::decode(QByteArrayView(bytes).first(used));
    if (decoded.text.size() == used) {
        for (QByteArrayView line : split.lines)
            decoded.views.append(
                QStringView(decoded.text).sliced(line.data() - bytes.constData(), line.size()));
        return decoded;
    }
    decoded.text.clear();
    for (QByteArrayView line : split.lines)
        decoded.separateLines.append(CodePage::decode(line));
    for (const QString &line : std::as_const(decoded.separateLines))
        decoded.views.append(line);
    return decoded;
}

// The device's bytes up to maxBytes, or nothing when reading failed. A file
// in /proc or on a device may report no size, so this reads to the end.
std::optional<QByteArray> readBytes(QIODevice &device, qint64 maxBytes)
{
    constexpr qint64 Chunk = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() < maxBytes) {
        const qsizetype before = bytes.size();
        bytes.resize(before + std::min(Chunk, maxBytes - before));
        const qint64 got = device.read(bytes.data() + before, bytes.size() - before);
        bytes.resize(before + std::max<qint64>(got, 0));
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
    }
    return bytes;
}

} // namespace

ListFileReadResult ListFileReader::read(QIODevice &device, MedicationList &list)
{
    using namespace ListFileFormat;
    ListFileReadResult result;
    const std::optional<QByteArray> read = readBytes(device, MaxBytes);
    if (!read) {
        result.readable = false;
        result.complete = false;
        result.problem = device.errorString();
        return result;
    }
    const QByteArray &bytes = *read;
    const TextLines split = TextLines::split(bytes, LineCount);
    bool nonText = false;
    for (QByteArrayView line : split.lines)
        nonText = nonText || holdsNonText(line);

    const DecodedLines lines = decodeLines(bytes, split);
    const qsizetype present = lines.views.size();
    auto line = [&lines](int number) {
        return number <= lines.views.size() ? lines.views.at(number - 1) : QStringView();
    };

    // A missing geometry line leaves the window where it is, rather than
    // shrinking it to nothing as a zero would.
    ListSettings settings = list.settings();
    float *geometry[] = {&settings.windowLeft, &settings.windowTop, &settings.windowWidth,
                         &settings.windowHeight};
    for (int i = 0; i < 4; ++i) {
        if (WindowLeftLine + i <= present)
            *geometry[i] = leadingNumber(line(WindowLeftLine + i).toString());
    }

    const QString sizeLine = line(FontSizeLine).toString();
    if (sizeLine.isEmpty()) {
        settings.fontSize = 8;
    } else {
        const float size = leadingNumber(sizeLine);
        if (size == 8 || size == 10) {
            settings.fontSize = int(size);
            result.fontSizeStored = true;
        }
    }
    settings.bold = line(BoldLine) == TrueWord;
    settings.printerName = line(PrinterNameLine).toString();
    list.setSettings(settings);

    int number = FirstCellLine;
    for (int row = 0; row < MedicationList::RowCount; ++row) {
        for (int column = 1; column < MedicationList::ColumnCount; ++column)
            list.setCell(row, column, DecodeLineBreaks(line(number++)));
    }
    list.setNotes(DecodeLineBreaks(line(NotesLine)));

    if (present < LineCount) {
        result.complete = false;
        result.problem =
            QStringLiteral("The file ends after %1 of its %2 lines.").arg(present).arg(LineCount);
    } else if (nonText) {
        result.complete = false;
        result.problem = QStringLiteral("The file holds bytes that are not text.");
    }
    return result;
}
