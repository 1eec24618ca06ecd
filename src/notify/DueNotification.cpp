#include "DueNotification.h"

#include <QRegularExpression>

namespace DueNotification {

QString summary(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 refill due this week")
                      : QStringLiteral("%1 refills due this week").arg(count);
}

QString dayText(const QDate &date, const QDate &today, const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::LongFormat);
    // Only a year at the end goes; where a locale puts it elsewhere, or adds
    // words after it, the date keeps it.
    static const QRegularExpression yearAtEnd(QStringLiteral("[\\s,.]*y+$"));
    if (date.year() == today.year()) {
        const QString withoutYear = QString(format).remove(yearAtEnd);
        if (withoutYear.contains(u'd') && withoutYear.contains(u'M'))
            format = withoutYear;
    }
    return locale.toString(date, format);
}

QString body(const QList<DueRefill> &refills, const QDate &today, const QLocale &locale,
             bool markup)
{
    QStringList lines;
    for (const DueRefill &refill : refills) {
        const QString medicine = refill.medicine.simplified().isEmpty()
                                     ? QStringLiteral("row %1").arg(refill.row)
                                     : refill.medicine.simplified();
        const QString day = dayText(refill.date, today, locale);
        const QString when =
            refill.date < today ? QStringLiteral("overdue since %1").arg(day) : day;
        const QString line =
            QStringLiteral("%1: %2, %3").arg(refill.listName.simplified(), medicine, when);
        lines << (markup ? line.toHtmlEscaped() : line);
    }
    return lines.join(u'\n');
}

} // namespace DueNotification
