#include "ListFileWriter.h"

#include "CodePage.h"
#include "LineBreaks.h"
#include "ListFileFormat.h"
#include "MedicationList.h"

#include <QIODevice>
#include <QStringList>

namespace {

// The 315 lines of the list's file, without their line ends.
QStringList fileLines(const MedicationList &list)
{
    using namespace ListFileFormat;
    const ListSettings &settings = list.settings();
    QStringList lines;
    lines.reserve(LineCount);
    lines << formatNumber(settings.windowLeft) << formatNumber(settings.windowTop)
          << formatNumber(settings.windowWidth) << formatNumber(settings.windowHeight);
    lines << QString::number(settings.fontSize == ListSettings::StandardFontSize
                                 ? ListSettings::StandardFontSize
                                 : ListSettings::LargeFontSize);
    lines << (settings.bold ? TrueWord : FalseWord);
    lines << settings.printerName;
    while (lines.size() < FirstCellLine - 1)
        lines << QString();
    for (int row = 0; row < MedicationList::RowCount; ++row) {
        for (int column = 1; column < MedicationList::ColumnCount; ++column)
            lines << EncodeLineBreaks(list.cell(row, column));
    }
    lines << EncodeLineBreaks(list.notes());
    return lines;
}

// What the user knows the text on line number by.
QString describeLine(int number)
{
    using namespace ListFileFormat;
    if (number == PrinterNameLine)
        return QStringLiteral("The printer name");
    if (number == NotesLine)
        return QStringLiteral("The general notes");
    constexpr int CellsPerRow = MedicationList::ColumnCount - 1;
    const int cell = number - FirstCellLine;
    const int row = cell / CellsPerRow;
    const QString columnName = MedicationList::headerTexts().at(cell % CellsPerRow);
    if (row == MedicationList::HeaderRow)
        return QStringLiteral("The heading of the %1 column").arg(columnName);
    return QStringLiteral("The %1 in row %2").arg(columnName).arg(row);
}

} // namespace

std::optional<QByteArray> ListFileWriter::encode(const MedicationList &list, QString *error)
{
    const QString &printer = list.ListPrinterName();
    if (printer.contains(u'\r') || printer.contains(u'\n')) {
        if (error)
            *error = QStringLiteral("The printer name holds a line break, which a list file "
                                    "cannot store.");
        return std::nullopt;
    }
    const QStringList lines = fileLines(list);
    QByteArray bytes;
    if (CodePage::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"), bytes))
        return bytes;
    // Name the text and the character, so that the user can find what to change.
    for (int number = 1; number <= lines.size(); ++number) {
        const QString &line = lines.at(number - 1);
        if (!CodePage::canEncode(line)) {
            if (error)
                *error = QStringLiteral("%1 holds \"%2\", a character that a list file cannot "
                                        "store.")
                             .arg(describeLine(number), CodePage::firstUnencodable(line));
            break;
        }
    }
    return std::nullopt;
}

bool ListFileWriter::write(const MedicationList &list, QIODevice &device, QString *error)
{
    const std::optional<QByteArray> bytes = encode(list, error);
    if (!bytes)
        return false;
    if (device.write(*bytes) != bytes->size()) {
        if (error)
            *error = device.errorString();
        return false;
    }
    return true;
}
