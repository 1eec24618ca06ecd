#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringView>

#include <bitset>
#include <string>
#include <unordered_map>

// What reading a typed date needs to know of a locale, worked out once
// rather than for every date: the order of day, month and year in its
// numbers, its month and weekday names with the English ones beside them,
// and whether its own short and long formats could read a text differently
// from RefillDate's readers. Asking a locale for a name or parsing by its
// formats costs microseconds each time, and the window and the command line
// read hundreds of dates in one locale.
class DateConventions
{
public:
    // The conventions of locale, kept from the previous call on this thread.
    static const DateConventions &of(const QLocale &locale);

    explicit DateConventions(const QLocale &locale);

    const QLocale &locale() const { return m_locale; }

    // "dmy", "mdy" or "ymd": how numbers without a four-digit year first are
    // read.
    const QString &fieldOrder() const { return m_fieldOrder; }

    // What a word names, in the locale or in English, ignoring case as
    // QString::compare does: a month, 1 to 12 (0 for none), a weekday, or
    // both, as Spanish "mar" names Tuesday and March.
    struct Meaning
    {
        int month = 0;
        bool weekday = false;
    };
    Meaning meaningOf(QStringView word) const;

    // Whether the locale's formats with a four-digit year either cannot read
    // a text of numbers, or read it as the ISO and numeric readers do.
    bool formatsReadNumbersAlike() const { return m_formatsReadNumbersAlike; }
    // The same for a text with a month name and no sign, and the reader of
    // month names.
    bool formatsReadNamesAlike() const { return m_formatsReadNamesAlike; }
    // The words of a text as the month reader takes them: runs of letters
    // and digits, as [^\W_]+ finds them with Unicode properties.
    static QList<QStringView> wordsOf(const QString &text);

    // Whether a text holds a plus or minus sign. Qt reads one before a
    // year ("8 Dec -2026"); the month reader takes words and numbers alone.
    bool hasSign(QStringView text) const;

private:
    using CaseKey = std::u32string;
    static CaseKey caseKey(QStringView word);

    void addMonthNames(const QLocale &names);
    void addWeekdayNames(const QLocale &names);
    bool monthNamesAreDistinctWords() const;
    bool weekdayNamesLeaveTheMonth() const;

    QLocale m_locale;
    QString m_fieldOrder;
    QString m_signs;
    std::bitset<128> m_asciiSigns;
    std::unordered_map<CaseKey, Meaning> m_names;
    bool m_formatsReadNumbersAlike = false;
    bool m_formatsReadNamesAlike = false;
};
