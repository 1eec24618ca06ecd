#include "DateConventions.h"

#include <QRegularExpression>

#include <algorithm>
#include <optional>

namespace {

// A Qt date format as far as the reasoning below needs it.
struct FormatShape
{
    enum class Kind
    {
        // Anything else: the format keeps reading first.
        Unknown,
        // Day, month and four-digit year as numbers: "dd.MM.yyyy".
        Numeric,
        // A numeric day, a month name, a four-digit year and perhaps a
        // weekday name: "dddd, d MMMM yyyy".
        Named,
    };
    Kind kind = Kind::Unknown;
    // The order of the numeric sections, as in fieldOrder().
    QString order;
    bool weekday = false;
};

// Qt reads a number section as digits only, and a literal only as itself, so
// a format made of these sections and these separators reads no letter
// outside a name, and no digit outside a number.
constexpr QStringView FormatSeparators = u" ./-,";

FormatShape shapeOf(const QString &format)
{
    FormatShape shape;
    int days = 0, months = 0, monthNames = 0, years = 0, weekdays = 0;
    bool lastWasNumber = false;
    bool separated = true;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (FormatSeparators.contains(c)) {
            separated = true;
            ++i;
            continue;
        }
        // Quoted text, times and letters Qt takes literally all fall here.
        if (c != u'd' && c != u'M' && c != u'y')
            return {};
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        i += run;
        bool number = true;
        if (c == u'd' && run <= 2) {
            ++days;
            shape.order += u'd';
        } else if (c == u'M' && run <= 2) {
            ++months;
            shape.order += u'm';
        } else if (c == u'y' && run == 4) {
            ++years;
            shape.order += u'y';
        } else if (c == u'd' && run <= 4) {
            ++weekdays;
            number = false;
        } else if (c == u'M' && run <= 4) {
            ++monthNames;
            number = false;
        } else {
            return {};
        }
        // Two numbers with nothing between them could split a run of digits
        // where the readers would not.
        if (number && lastWasNumber && !separated)
            return {};
        lastWasNumber = number;
        separated = false;
    }
    if (days != 1 || years != 1 || months + monthNames != 1 || weekdays > 1)
        return {};
    if (monthNames == 0 && weekdays == 1)
        return {};
    shape.kind = monthNames ? FormatShape::Kind::Named : FormatShape::Kind::Numeric;
    shape.weekday = weekdays == 1;
    return shape;
}

QString withoutFinalDot(QString name)
{
    if (name.endsWith(u'.'))
        name.chop(1);
    return name;
}

// Every spelling of a month that the locale's formats may read.
QStringList monthSpellings(const QLocale &locale)
{
    QStringList spellings;
    for (int month = 1; month <= 12; ++month) {
        for (auto format : {QLocale::LongFormat, QLocale::ShortFormat}) {
            spellings << locale.monthName(month, format)
                      << locale.standaloneMonthName(month, format);
        }
    }
    return spellings;
}

QStringList weekdaySpellings(const QLocale &locale)
{
    QStringList spellings;
    for (int day = 1; day <= 7; ++day) {
        for (auto format : {QLocale::LongFormat, QLocale::ShortFormat})
            spellings << locale.dayName(day, format) << locale.standaloneDayName(day, format);
    }
    return spellings;
}

bool containsLetter(QStringView text)
{
    for (QChar c : text) {
        if (c.isLetter())
            return true;
    }
    return false;
}

bool isOneWord(const QString &text)
{
    const QList<QStringView> words = DateConventions::wordsOf(text);
    return words.size() == 1 && words.front().size() == text.size();
}

} // namespace

const DateConventions &DateConventions::of(const QLocale &locale)
{
    thread_local std::optional<DateConventions> last;
    if (!last || last->m_locale != locale)
        last.emplace(locale);
    return *last;
}

DateConventions::DateConventions(const QLocale &locale) : m_locale(locale)
{
    // C, C.UTF-8 and POSIX have no territory, so no order of their own: their
    // "d MMM yyyy" names the month, and reading "12/14/2026" day first would
    // find no month 14. Numbers are read month first there, as in en_US.
    if (locale.language() != QLocale::C) {
        for (QChar c : locale.dateFormat(QLocale::ShortFormat)) {
            const QChar field = c.toLower();
            if ((field == u'd' || field == u'm' || field == u'y') && !m_fieldOrder.contains(field))
                m_fieldOrder += field;
        }
    }
    if (m_fieldOrder.size() != 3)
        m_fieldOrder = QStringLiteral("mdy");
    m_signs = QStringLiteral("-+\u2212") + locale.negativeSign() + locale.positiveSign();
    for (QChar c : std::as_const(m_signs)) {
        if (c.unicode() < m_asciiSigns.size())
            m_asciiSigns.set(c.unicode());
    }

    const QLocale english(QLocale::English);
    addMonthNames(locale);
    addMonthNames(english);
    addWeekdayNames(locale);
    addWeekdayNames(english);

    // Whether a format reads a text otherwise than the readers is decided by
    // the format's sections alone, given these facts about the names.
    bool monthNamesHaveLetters = true;
    for (const QString &spelling : monthSpellings(locale))
        monthNamesHaveLetters = monthNamesHaveLetters && containsLetter(spelling);
    const bool namesReadAlike = monthNamesAreDistinctWords();
    const bool weekdaysReadAlike = weekdayNamesLeaveTheMonth();

    m_formatsReadNumbersAlike = true;
    m_formatsReadNamesAlike = true;
    for (auto type : {QLocale::ShortFormat, QLocale::LongFormat}) {
        const QString format = locale.dateFormat(type);
        // Reading never asks a format without a four-digit year.
        if (!format.contains(QStringLiteral("yyyy")))
            continue;
        const FormatShape shape = shapeOf(format);
        switch (shape.kind) {
        case FormatShape::Kind::Unknown:
            m_formatsReadNumbersAlike = m_formatsReadNamesAlike = false;
            break;
        case FormatShape::Kind::Numeric: {
            // A number of four digits first is a year, as in ISO 8601; the
            // format can only read it where its own year comes first.
            const QString readersOrder =
                shape.order.startsWith(u'y') ? QStringLiteral("ymd") : m_fieldOrder;
            m_formatsReadNumbersAlike = m_formatsReadNumbersAlike && shape.order == readersOrder;
            // A text with a month name has a letter, which such a format
            // cannot read.
            m_formatsReadNamesAlike = m_formatsReadNamesAlike && monthNamesHaveLetters;
            break;
        }
        case FormatShape::Kind::Named:
            // Digits and separators spell no month name.
            m_formatsReadNumbersAlike = m_formatsReadNumbersAlike && monthNamesHaveLetters;
            m_formatsReadNamesAlike =
                m_formatsReadNamesAlike && namesReadAlike && (!shape.weekday || weekdaysReadAlike);
            break;
        }
    }
}

DateConventions::CaseKey DateConventions::caseKey(QStringView word)
{
    // QString::compare folds each UTF-16 unit on its own, but a low surrogate
    // together with the high one before it; the high one stays as it is.
    CaseKey key;
    key.reserve(word.size());
    for (qsizetype i = 0; i < word.size(); ++i) {
        const char16_t unit = word.at(i).unicode();
        char32_t point = unit;
        if (QChar::isLowSurrogate(unit) && i > 0 && word.at(i - 1).isHighSurrogate())
            point = QChar::surrogateToUcs4(word.at(i - 1).unicode(), unit);
        key += QChar::toCaseFolded(point);
    }
    return key;
}

void DateConventions::addMonthNames(const QLocale &names)
{
    // The first month to claim a spelling keeps it, in the order the names
    // were always tried: the locale's, then English; long, then short.
    for (int month = 1; month <= 12; ++month) {
        for (auto format : {QLocale::LongFormat, QLocale::ShortFormat}) {
            for (const QString &name : {withoutFinalDot(names.monthName(month, format)),
                                        names.standaloneMonthName(month, format)}) {
                Meaning &meaning = m_names[caseKey(name)];
                if (!name.isEmpty() && meaning.month == 0)
                    meaning.month = month;
            }
        }
    }
}

void DateConventions::addWeekdayNames(const QLocale &names)
{
    for (int day = 1; day <= 7; ++day) {
        for (auto format : {QLocale::LongFormat, QLocale::ShortFormat})
            m_names[caseKey(withoutFinalDot(names.dayName(day, format)))].weekday = true;
    }
}

QList<QStringView> DateConventions::wordsOf(const QString &text)
{
    QList<QStringView> words;
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
    if (!ascii) {
        static const QRegularExpression word(QStringLiteral("[^\\W_]+"),
                                             QRegularExpression::UseUnicodePropertiesOption);
        auto matches = word.globalMatch(text);
        while (matches.hasNext())
            words << matches.next().capturedView();
        return words;
    }
    // In ASCII that is [A-Za-z0-9]+, found by hand: a regular expression
    // costs more than the rest of reading a date.
    const auto isWordCharacter = [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    };
    for (qsizetype start = 0; start < text.size();) {
        if (!isWordCharacter(text[start])) {
            ++start;
            continue;
        }
        qsizetype end = start;
        while (end < text.size() && isWordCharacter(text[end]))
            ++end;
        words << QStringView(text).sliced(start, end - start);
        start = end;
    }
    return words;
}

bool DateConventions::hasSign(QStringView text) const
{
    return std::any_of(text.begin(), text.end(), [this](QChar c) {
        return c.unicode() < m_asciiSigns.size() ? m_asciiSigns[c.unicode()] : m_signs.contains(c);
    });
}

DateConventions::Meaning DateConventions::meaningOf(QStringView word) const
{
    const auto found = m_names.find(caseKey(word));
    return found == m_names.end() ? Meaning() : found->second;
}

bool DateConventions::monthNamesAreDistinctWords() const
{
    // The month reader sees words; a month name it would split, or take for
    // another month, could be read otherwise than the locale's format reads
    // it.
    for (int month = 1; month <= 12; ++month) {
        for (auto format : {QLocale::LongFormat, QLocale::ShortFormat}) {
            for (const QString &spelling :
                 {m_locale.monthName(month, format), m_locale.standaloneMonthName(month, format)}) {
                const QString name = withoutFinalDot(spelling);
                if (!isOneWord(name) || meaningOf(name).month != month)
                    return false;
            }
        }
    }
    return true;
}

bool DateConventions::weekdayNamesLeaveTheMonth() const
{
    // The month reader takes the first word that names only a month, and a
    // word that names a month and a weekday ("mar", Tuesday and March in
    // Spanish) only when no word names only a month. A weekday's name must
    // therefore never name only a month, and must not name a month at all
    // where a month's name can also name a weekday.
    bool weekdayNamesAMonth = false;
    for (const QString &spelling : weekdaySpellings(m_locale)) {
        const QString name = withoutFinalDot(spelling);
        if (!isOneWord(name))
            return false;
        const Meaning meaning = meaningOf(name);
        if (meaning.month != 0) {
            if (!meaning.weekday)
                return false;
            weekdayNamesAMonth = true;
        }
    }
    if (!weekdayNamesAMonth)
        return true;
    for (const QString &spelling : monthSpellings(m_locale)) {
        if (meaningOf(withoutFinalDot(spelling)).weekday)
            return false;
    }
    return true;
}
