#include "ListFileFormat.h"

#include <cmath>

namespace ListFileFormat {

QString formatNumber(float value)
{
    const double magnitude = std::fabs(double(value));
    QString digits;
    if (magnitude == std::floor(magnitude) && magnitude < 1e7) {
        digits = QString::number(qint64(magnitude));
    } else {
        // Single precision holds about seven significant digits; more would
        // print noise that was never in the window's size.
        digits = QString::number(magnitude, 'g', 7);
        if (digits.startsWith(QStringLiteral("0.")))
            digits.remove(0, 1);
    }
    const QChar sign = std::signbit(value) && magnitude != 0 ? u'-' : u' ';
    return sign + digits + u' ';
}

double leadingNumber(const QString &line)
{
    const QString text = line.trimmed();
    qsizetype end = 0;
    if (end < text.size() && (text[end] == u'-' || text[end] == u'+'))
        ++end;
    const qsizetype digitsStart = end;
    while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128)
        ++end;
    if (end < text.size() && text[end] == u'.') {
        ++end;
        while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128)
            ++end;
    }
    if (end == digitsStart || (end == digitsStart + 1 && text[digitsStart] == u'.'))
        return 0;
    bool ok = false;
    const double value = text.left(end).toDouble(&ok);
    return ok ? value : 0;
}

} // namespace ListFileFormat
