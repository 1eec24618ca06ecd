#include "ListFileFormat.h"

#include <charconv>
#include <cmath>

namespace ListFileFormat {

QString formatNumber(float value)
{
    const float magnitude = std::fabs(value);
    QString digits;
    if (magnitude == std::floor(magnitude) && magnitude < 1e7f) {
        digits = QString::number(qint64(magnitude));
    } else {
        // The shortest text that reads back as the same float, in the form
        // Visual Basic writes: "1E+07", ".5".
        char text[32];
        const auto end = std::to_chars(text, text + sizeof text, magnitude).ptr;
        digits = QString::fromLatin1(text, end - text).toUpper();
        if (digits.startsWith(QStringLiteral("0.")))
            digits.remove(0, 1);
    }
    const QChar sign = std::signbit(value) && magnitude != 0 ? u'-' : u' ';
    return sign + digits + u' ';
}

float leadingNumber(const QString &line)
{
    const QByteArray text = line.trimmed().toLatin1();
    const char *const begin = text.constData();
    const char *const end = begin + text.size();
    const char *p = begin;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+'))
        ++p;
    auto skipDigits = [&p, end] {
        const char *start = p;
        while (p < end && *p >= '0' && *p <= '9')
            ++p;
        return p > start;
    };
    const char *const mantissa = p;
    bool digits = skipDigits();
    if (p < end && *p == '.') {
        ++p;
        digits = skipDigits() || digits;
    }
    if (!digits)
        return 0;
    // An exponent counts only when digits follow it: "2E" is the number 2.
    const char *const beforeExponent = p;
    if (p < end && (*p == 'E' || *p == 'e')) {
        ++p;
        if (p < end && (*p == '-' || *p == '+'))
            ++p;
        if (!skipDigits())
            p = beforeExponent;
    }
    // from_chars takes no "+" sign, so the sign is applied here. A number
    // beyond what a float holds counts as no number.
    float value = 0;
    if (std::from_chars(mantissa, p, value).ec != std::errc())
        return 0;
    return negative ? -value : value;
}

} // namespace ListFileFormat
