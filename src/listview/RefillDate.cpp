#include "RefillDate.h"

#include "DateConventions.h"
#include "ProgramInfo.h"

#include <algorithm>

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

// Reads a text from left to right. The forms below are matched by hand: a
// regular expression costs more than the rest of reading a date. Digits and
// spaces are ASCII only, as \d and \s are in a regular expression.
class Scanner
{
public:
    explicit Scanner(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_at == m_text.size(); }

    // The next 1 to most digits; empty, and nothing taken, when there are
    // none or more.
    QStringView digits(qsizetype most)
    {
        qsizetype end = m_at;
        while (end < m_text.size() && isAsciiDigit(m_text[end]))
            ++end;
        if (end == m_at || end - m_at > most)
            return {};
        const QStringView run = m_text.sliced(m_at, end - m_at);
        m_at = end;
        return run;
    }

    bool take(QChar c)
    {
        if (atEnd() || m_text[m_at] != c)
            return false;
        ++m_at;
        return true;
    }

    // Spaces, a date separator and spaces again, as \s*[/.\-]\s*.
    bool takeSeparator()
    {
        const qsizetype start = m_at;
        skipSpaces();
        if (take(u'/') || take(u'.') || take(u'-')) {
            skipSpaces();
            return true;
        }
        m_at = start;
        return false;
    }

private:
    static bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

    void skipSpaces()
    {
        while (!atEnd() && QStringView(u" \t\n\v\f\r").contains(m_text[m_at]))
            ++m_at;
    }

    QStringView m_text;
    qsizetype m_at = 0;
};

// "2026-12-09".
std::optional<QDate> readIso(QStringView text)
{
    Scanner scanner(text);
    const QStringView year = scanner.digits(4);
    if (year.size() != 4 || !scanner.take(u'-'))
        return std::nullopt;
    const QStringView month = scanner.digits(2);
    if (month.isEmpty() || !scanner.take(u'-'))
        return std::nullopt;
    const QStringView day = scanner.digits(2);
    if (day.isEmpty() || !scanner.atEnd())
        return std::nullopt;
    return validDate(year.toInt(), month.toInt(), day.toInt());
}

// Numbers in the locale's order, "9.12.2026", "12/9/26", "9.12.", or year
// first with four digits, "2026/12/9".
std::optional<QDate> readNumeric(QStringView text, const DateConventions &conventions,
                                 const QDate &today)
{
    Scanner scanner(text);
    const QStringView first = scanner.digits(4);
    if (first.isEmpty() || !scanner.takeSeparator())
        return std::nullopt;
    const QStringView second = scanner.digits(2);
    if (second.isEmpty())
        return std::nullopt;
    QList<QStringView> parts{first, second};
    // Then a year or not, and a final dot or not: "9.12.2026", "9.12.", "9.12".
    const auto endsHere = [](Scanner rest) {
        rest.take(u'.');
        return rest.atEnd();
    };
    Scanner withYear = scanner;
    if (withYear.takeSeparator()) {
        const QStringView third = withYear.digits(4);
        if (!third.isEmpty() && endsHere(withYear))
            parts << third;
    }
    if (parts.size() == 2 && !endsHere(scanner))
        return std::nullopt;
    QString order = parts[0].size() == 4 ? QStringLiteral("ymd") : conventions.fieldOrder();
    if (parts.size() == 2)
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

// "13 December 2026", "Dec 13, 2026", "Sunday, December 13, 2026", "13. Dez.".
std::optional<QDate> readWithMonthName(const QString &text, const DateConventions &conventions,
                                       const QDate &today)
{
    int month = 0;
    // A word such as French "mar." (Tuesday, but English "Mar") or Spanish
    // "mar" (Tuesday and March) names the month only when no other word does.
    int weekdayOrMonth = 0;
    QList<QStringView> numbers;
    for (QStringView token : DateConventions::wordsOf(text)) {
        // A word with a letter is no number to toInt(), which costs more
        // than looking.
        bool isNumber = false;
        if (std::none_of(token.begin(), token.end(), [](QChar c) { return c.isLetter(); }))
            (void)token.toInt(&isNumber);
        if (isNumber) {
            numbers << token;
            continue;
        }
        const auto [named, weekday] = conventions.meaningOf(token);
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

// The locale's own formats first, then the readers; the order dates were
// always read in.
std::optional<QDate> readInOrder(const QString &text, const DateConventions &conventions,
                                 const QDate &today)
{
    const QLocale &locale = conventions.locale();
    for (auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
        // Two-digit years are left to the numeric reader and its window.
        if (!locale.dateFormat(format).contains(QStringLiteral("yyyy")))
            continue;
        const QDate date = locale.toDate(text, format);
        if (date.isValid())
            return date;
    }
    if (auto date = readIso(text))
        return date;
    if (auto date = readNumeric(text, conventions, today))
        return date;
    return readWithMonthName(text, conventions, today);
}

} // namespace

std::optional<QDate> read(const QString &text, const QLocale &locale, const QDate &today)
{
    const QString trimmed = text.simplified();
    if (trimmed.isEmpty())
        return std::nullopt;
    const DateConventions &conventions = DateConventions::of(locale);
    // Parsing by the locale's formats costs microseconds a date. Where they
    // would read the text as the readers do, or not at all, the readers
    // answer alone.
    if (auto date = readIso(trimmed)) {
        if (conventions.formatsReadNumbersAlike())
            return date;
    } else if (auto date = readNumeric(trimmed, conventions, today)) {
        if (conventions.formatsReadNumbersAlike())
            return date;
    } else if (auto date = readWithMonthName(trimmed, conventions, today)) {
        if (conventions.formatsReadNamesAlike() && !conventions.hasSign(trimmed))
            return date;
    }
    return readInOrder(trimmed, conventions, today);
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
    // Some locales write short dates in digits or words the reader does not
    // take; advice to write a date that way would not help.
    const QString iso = today.toString(Qt::ISODate);
    const QString local = locale.toString(today, QLocale::ShortFormat);
    const QString forms = local != iso && read(local, locale, today) == today
                              ? QStringLiteral("%1 or %2").arg(local, iso)
                              : iso;
    return QStringLiteral("%1 cannot read this date, so it cannot show when the refill falls "
                          "due. Write it as %2.")
        .arg(ProgramInfo::title(), forms);
}

} // namespace RefillDate
