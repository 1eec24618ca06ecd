#include "TextLines.h"

TextLines TextLines::split(QByteArrayView bytes, qsizetype maxLines)
{
    TextLines result;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size && (maxLines < 0 || result.lines.size() < maxLines)) {
        qsizetype cr = bytes.indexOf('\r', start);
        if (cr < 0) {
            result.lines.append(bytes.sliced(start));
            result.lastLineUnterminated = true;
            break;
        }
        result.lines.append(bytes.sliced(start, cr - start));
        start = cr + 1;
        if (start < size && bytes[start] == '\n')
            ++start;
    }
    return result;
}
