// Any bytes at all may sit in a list file: the reader must take them without
// a crash, a leak or a hang, and whatever list it makes must survive being
// written and read again, texts, settings and window numbers unchanged.

#include "ListFileReader.h"
#include "ListFileWriter.h"
#include "MedicationList.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

namespace {

ListFileReadResult readBytes(QByteArray bytes, MedicationList &list)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ListFileReader::read(buffer, list);
}

bool sameTexts(const MedicationList &a, const MedicationList &b)
{
    for (int row = 0; row < MedicationList::RowCount; ++row) {
        for (int column = 0; column < MedicationList::ColumnCount; ++column) {
            if (a.cell(row, column) != b.cell(row, column))
                return false;
        }
    }
    // The window numbers too, to the last bit of the float.
    const ListSettings &x = a.settings();
    const ListSettings &y = b.settings();
    return a.notes() == b.notes() && x == y;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    MedicationList list;
    readBytes(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), list);

    // A printer line holding an LF is read but refused by the writer; that
    // refusal is the writer's rule, not a fault.
    QString error;
    const std::optional<QByteArray> written = ListFileWriter::encode(list, &error);
    if (!written)
        return 0;
    MedicationList again;
    readBytes(*written, again);
    if (!sameTexts(list, again))
        std::abort();
    return 0;
}
