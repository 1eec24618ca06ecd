// The catalogue is a text file a user may have edited by hand: any bytes
// must give a list of names without a crash, a leak or a hang.

#include "Catalogue.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList names =
        Catalogue::parse(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    // Every CR and LF ends a line, so no name can hold one; and any byte
    // makes a line.
    if (size > 0 && names.isEmpty())
        std::abort();
    for (const QString &name : names) {
        if (name.contains(u'\r') || name.contains(u'\n'))
            std::abort();
    }
    return 0;
}
