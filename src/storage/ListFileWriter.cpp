#include "ListFileWriter.h"

#include "CodePage.h"
#include "LineBreaks.h"
#include "ListFileFormat.h"
#include "MedicationList.h"

#include <QIODevice>

namespace {

QString describeCell(int row, int column)
{
    const QString columnName = MedicationList::headerTexts().at(column - 1);
    if (row == MedicationList::HeaderRow)
        return QStringLiteral("The heading of the %1 column").arg(columnName);
    return QStringLiteral("The %1 in row %2").arg(columnName).arg(row);
}

class LineSink
{
public:
    // whose() names the text in the message and is only called on refusal,
    // so that a save does not build 300 messages it never shows.
    template <typename Whose> bool add(const QString &line, Whose whose)
    {
        if (!CodePage::encode(line, m_bytes)) {
            m_error = QStringLiteral("%1 holds \"%2\", a character that a list file cannot store.")
                          .arg(whose(), CodePage::firstUnencodable(line));
            return false;
        }
        m_bytes += "\r\n";
        return true;
    }
    // For lines the program writes itself, which the code page always holds.
    void add(const QString &line)
    {
        add(line, [] { return QString(); });
    }
    QByteArray bytes() const { return m_bytes; }
    QString error() const { return m_error; }

private:
    QByteArray m_bytes;
    QString m_error;
};

} // namespace

std::optional<QByteArray> ListFileWriter::encode(const MedicationList &list, QString *error)
{
    using namespace ListFileFormat;
    const ListSettings &settings = list.settings();
    LineSink sink;
    sink.add(formatNumber(settings.windowLeft));
    sink.add(formatNumber(settings.windowTop));
    sink.add(formatNumber(settings.windowWidth));
    sink.add(formatNumber(settings.windowHeight));
    sink.add(settings.fontSize == 8 ? QStringLiteral("8") : QStringLiteral("10"));
    sink.add(settings.bold ? TrueWord : FalseWord);

    bool ok = true;
    const QString &printer = settings.printerName;
    if (printer.contains(u'\r') || printer.contains(u'\n')) {
        if (error)
            *error = QStringLiteral("The printer name holds a line break, which a list file "
                                    "cannot store.");
        return std::nullopt;
    }
    ok = sink.add(printer, [] { return QStringLiteral("The printer name"); });
    for (int reserved = PrinterNameLine + 1; ok && reserved < FirstCellLine; ++reserved)
        sink.add(QString());
    for (int row = 0; ok && row < MedicationList::RowCount; ++row) {
        for (int column = 1; ok && column < MedicationList::ColumnCount; ++column)
            ok = sink.add(EncodeLineBreaks(list.cell(row, column)),
                          [=] { return describeCell(row, column); });
    }
    if (ok)
        ok = sink.add(EncodeLineBreaks(list.notes()),
                      [] { return QStringLiteral("The general notes"); });
    if (!ok) {
        if (error)
            *error = sink.error();
        return std::nullopt;
    }
    return sink.bytes();
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
