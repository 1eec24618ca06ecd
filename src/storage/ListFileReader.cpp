#include "ListFileReader.h"

#include "CodePage.h"
#include "LineBreaks.h"
#include "ListFileFormat.h"
#include "MedicationList.h"

#include <QIODevice>

#include <algorithm>
#include <optional>

namespace {

// The device's bytes up to maxBytes, or nothing when reading failed. A file
// in /proc or on a device may report no size, so this reads to the end.
std::optional<QByteArray> readUpTo(QIODevice &device, qint64 maxBytes)
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

// The first maxLines lines of text as the program writes them: a line ends
// at CR LF or at a CR alone, and an LF on its own belongs to the line, as it
// may in a cell of a list written under Windows.
QList<QStringView> splitAtCarriageReturns(QStringView text, qsizetype maxLines)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    while (start < text.size() && lines.size() < maxLines) {
        qsizetype end = text.indexOf(u'\r', start);
        if (end < 0)
            end = text.size();
        lines.append(text.sliced(start, end - start));
        start = end + 1;
        if (start < text.size() && text[start] == u'\n')
            ++start;
    }
    return lines;
}

// The first maxLines lines of text as a Linux editor or a version-control
// checkout leaves them: a line ends at an LF with an optional CR before it,
// and a CR elsewhere stays in its line.
QList<QStringView> splitAtLineFeeds(QStringView text, qsizetype maxLines)
{
    QList<QStringView> lines;
    qsizetype start = 0;
    while (start < text.size() && lines.size() < maxLines) {
        qsizetype end = text.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        else if (end > start && text[end - 1] == u'\r')
            --end;
        lines.append(text.sliced(start, end - start));
        start = next;
    }
    return lines;
}

// A file the program wrote reads whole by its own line ends. Only a file
// that falls short by them and whose lines mostly end in LF alone is read by
// LF, as a Linux editor or a checkout leaves it: a Windows file may hold an
// LF inside a cell, and taking that as a line end would shift every later
// cell of a file that is merely cut short.
QList<QStringView> splitLines(QStringView text, qsizetype lineCount, bool &byLineFeeds)
{
    QList<QStringView> lines = splitAtCarriageReturns(text, lineCount);
    byLineFeeds = false;
    if (lines.size() >= lineCount)
        return lines;
    const qsizetype carriageReturns = text.count(u'\r');
    const qsizetype lineFeedsAlone = text.count(u'\n') - text.count(u"\r\n");
    byLineFeeds = lineFeedsAlone > carriageReturns;
    if (byLineFeeds)
        lines = splitAtLineFeeds(text, lineCount);
    return lines;
}

// A CR left inside a line read by LF is read as the "~" the program writes
// for one. Kept raw, two of them would be saved as "~~" and come back as a
// single line break.
QString cellText(QStringView line, bool byLineFeeds)
{
    if (byLineFeeds && line.contains(u'\r'))
        return DecodeLineBreaks(line.toString().replace(u'\r', u'~'));
    return DecodeLineBreaks(line);
}

// Control characters other than tab and the line breaks are in no text a
// person typed. Checked over the lines read and the line ends between them
// at once.
bool holdsNonText(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
    });
}

} // namespace

std::optional<QByteArray> ListFileReader::readBytes(QIODevice &device)
{
    return readUpTo(device, MaxBytes);
}

ListFileReadResult ListFileReader::read(QIODevice &device, MedicationList &list)
{
    const std::optional<QByteArray> bytes = readBytes(device);
    if (!bytes) {
        ListFileReadResult result;
        result.readable = false;
        result.complete = false;
        result.problem = device.errorString();
        return result;
    }
    return parse(*bytes, list);
}

ListFileReadResult ListFileReader::parse(const QByteArray &bytes, MedicationList &list)
{
    using namespace ListFileFormat;
    ListFileReadResult result;
    const QString text = CodePage::decode(bytes);
    bool byLineFeeds = false;
    const QList<QStringView> lines = splitLines(text, LineCount, byLineFeeds);
    auto line = [&lines](int number) {
        return number <= lines.size() ? lines.at(number - 1) : QStringView();
    };

    // A missing geometry line leaves the window where it is, rather than
    // shrinking it to nothing as a zero would.
    ListSettings settings = list.settings();
    float *geometry[] = {&settings.windowLeft, &settings.windowTop, &settings.windowWidth,
                         &settings.windowHeight};
    for (int i = 0; i < 4; ++i) {
        if (WindowLeftLine + i <= lines.size())
            *geometry[i] = leadingNumber(line(WindowLeftLine + i).toString());
    }

    const QString sizeLine = line(FontSizeLine).toString();
    if (sizeLine.isEmpty()) {
        settings.fontSize = ListSettings::StandardFontSize;
    } else {
        const float size = leadingNumber(sizeLine);
        if (size == ListSettings::StandardFontSize || size == ListSettings::LargeFontSize) {
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
            list.setCell(row, column, cellText(line(number++), byLineFeeds));
    }
    list.setNotes(cellText(line(NotesLine), byLineFeeds));

    if (lines.size() < LineCount) {
        result.complete = false;
        result.problem = QStringLiteral("The file ends after %1 of its %2 lines.")
                             .arg(lines.size())
                             .arg(LineCount);
    } else if (holdsNonText(QStringView(text).first(lines.last().constEnd() - text.constData()))) {
        result.complete = false;
        result.problem = QStringLiteral("The file holds bytes that are not text.");
    }
    return result;
}
