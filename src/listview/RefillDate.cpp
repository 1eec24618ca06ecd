#include "RefillDate.h"

#include "ProgramInfo.h"

#include <QRegularExpression>

namespace RefillDate {

namespace {

constexpr int DueWithinDays = 8;

// Two-digit years as the desktop reads them: 00 to 49 in this century.
int fullYear(int year, qsizetype digits)
{
    if (digits > 2)
        return year;
    return year < 50 ? 2000 + year : 1900 + year;
}

std::optional<QDate> validDate(int year, int month, int day)
{
    const QDate date(year, month, day);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

std::optional<QDate> readIso(const QString &text)
{
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    const QRegularExpressionMatch match = iso.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return validDate(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
}

// The order of day, month and year in the locale's short date format.
QString fieldOrder(const QLocale &locale)
{
    // C, C.UTF-8 and POSIX have no territory, so no order of their own: their
    // "d MMM yyyy" names the month, and reading "12/14/2026" day first would
    // find no month 14. Numbers are read month first there, as in en_US.
    if (locale.language() == QLocale::C)
        return QStringLiteral("mdy");
    QString order;
    for (QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        const QChar field = c.toLower();
        if ((field == u'd' || field == u'm' || field == u'y') && !order.contains(field))
            order += field;
    }
    return order.size() == 3 ? order : QStringLiteral("mdy");
}

std::optional<QDate> readNumeric(const QString &text, const QLocale &locale, const QDate &today)
{
    static const QRegularExpression numeric(
        QStringLiteral("^(\\d{1,4})\\s*[/.\\-]\\s*(\\d{1,2})(?:\\s*[/.\\-]\\s*(\\d{1,4}))?\\.?$"));
    const QRegularExpressionMatch match = numeric.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    QString order = match.captured(1).size() == 4 ? QStringLiteral("ymd") : fieldOrder(locale);
    QStringList parts{match.captured(1), match.captured(2)};
    if (match.hasCaptured(3))
        parts << match.captured(3);
    else
        order.remove(u'y');
    int day = 0, month = 0, year = today.year();
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const int value = parts[i].toInt();
        switch (order[i].unicode()) {
        case u'd':
            day = value;
            break;
        case u'm':
            month = value;
            break;
        default:
            year = fullYear(value, parts[i].size());
            break;
        }
    }
    return validDate(year, month, day);
}

int monthNumber(const QString &word, const QLocale &locale)
{
    const QLocale english(QLocale::English);
    for (const QLocale &names : {locale, english}) {
        for (int month = 1; month <= 12; ++month) {
            for (auto format : {QLocale::LongFormat, QLocale::ShortFormat}) {
                QString name = names.monthName(month, format);
                if (name.endsWith(u'.'))
                    name.chop(1);
                if (!name.isEmpty() && name.compare(word, Qt::CaseInsensitive) == 0)
                    return month;
                const QString standalone = names.standaloneMonthName(month, format);
                if (!standalone.isEmpty() && standalone.compare(word, Qt::CaseInsensitive) == 0)
                    return month;
            }
        }
    }
    return 0;
}

bool isWeekdayName(const QString &word, const QLocale &locale)
{
    const QLocale english(QLocale::English);
    for (const QLocale &names : {locale, english}) {
        for (int day = 1; day <= 7; ++day) {
            for (auto format : {QLocale::LongFormat, QLocale::ShortFormat}) {
                QString name = names.dayName(day, format);
                if (name.endsWith(u'.'))
                    name.chop(1);
                if (name.compare(word, Qt::CaseInsensitive) == 0)
                    return true;
            }
        }
    }
    return false;
}

// "13 December 2026", "Dec 13, 2026", "Sunday, December 13, 2026", "13. Dez.".
std::optional<QDate> readWithMonthName(const QString &text, const QLocale &locale,
                                       const QDate &today)
{
    static const QRegularExpression word(QStringLiteral("[^\\W_]+"),
                                         QRegularExpression::UseUnicodePropertiesOption);
    int month = 0;
    // A word such as French "mar." (Tuesday, but English "Mar") or Spanish
    // "mar" (Tuesday and March) names the month only when no other word does.
    int weekdayOrMonth = 0;
    QList<QString> numbers;
    auto words = word.globalMatch(text);
    while (words.hasNext()) {
        const QString token = words.next().captured();
        bool isNumber = false;
        token.toInt(&isNumber);
        if (isNumber) {
            numbers << token;
            continue;
        }
        const int named = monthNumber(token, locale);
        const bool weekday = isWeekdayName(token, locale);
        if (named && !weekday && !month)
            month = named;
        else if (named && weekday && !weekdayOrMonth)
            weekdayOrMonth = named;
        else if (!weekday)
            return std::nullopt;
    }
    if (!month)
        month = weekdayOrMonth;
    if (!month || numbers.isEmpty() || numbers.size() > 2)
        return std::nullopt;
    int day = 0;
    int year = today.year();
    if (numbers.size() == 1) {
        day = numbers[0].toInt();
    } else if (numbers[0].size() == 4) {
        year = numbers[0].toInt();
        day = numbers[1].toInt();
    } else {
        day = numbers[0].toInt();
        year = fullYear(numbers[1].toInt(), numbers[1].size());
    }
    return validDate(year, month, day);
}

} // namespace

std::optional<QDate> read(const QString &text, const QLocale &locale, const QDate &today)
{
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QDate date = locale.toDate(trimmed, format);
        // Two-digit years are left to the numeric reader and its window.
        if (date.isValid() && locale.dateFormat(format).contains(QStringLiteral("yyyy")))
            return date;
    }
    if (auto date = readIso(trimmed))
        return date;
    if (auto date = readNumeric(trimmed, locale, today))
        return date;
    return readWithMonthName(trimmed, locale, today);
}

bool isDue(const QString &text, const QLocale &locale, const QDate &today)
{
    const std::optional<QDate> date = read(text, locale, today);
    return date && today.daysTo(*date) < DueWithinDays;
}

QString unreadableHint(const QString &text, const QLocale &locale, const QDate &today)
{
    if (text.trimmed().isEmpty() || read(text, locale, today))
        return {};
    return QStringLiteral("%1 cannot read this date, so it cannot show when the refill falls "
                          "due. Write it as %2 or %3.")
        .arg(ProgramInfo::title(), locale.toString(today, QLocale::ShortFormat),
             today.toString(Qt::ISODate));
}

} // namespace RefillDate
