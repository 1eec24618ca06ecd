#include "Doubles.h"
#include "RefillDate.h"

#include <QTest>

using namespace Qt::StringLiterals;

// Today is Tuesday, 1 December 2026: the 8th is 7 days ahead, the 9th 8.
class TestRefillDate : public QObject
{
    Q_OBJECT

private slots:
    // The date a text reads as (empty when it cannot be read) and whether a
    // refill on it is due.
    void read_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("date");
        QTest::addColumn<bool>("due");
        // clang-format off
        QTest::newRow("ISO, today")                   << "en_US"   << "2026-12-01"   << "2026-12-01" << true;
        QTest::newRow("ISO, 7 days ahead")            << "en_US"   << "2026-12-08"   << "2026-12-08" << true;
        QTest::newRow("ISO, 8 days ahead")            << "en_US"   << "2026-12-09"   << "2026-12-09" << false;
        QTest::newRow("ISO, yesterday")               << "en_US"   << "2026-11-30"   << "2026-11-30" << true;
        QTest::newRow("ISO, a year overdue")          << "de_DE"   << "2025-12-09"   << "2025-12-09" << true;
        QTest::newRow("ISO, day first locale")        << "de_DE"   << "2026-12-09"   << "2026-12-09" << false;
        QTest::newRow("ISO, no 29 February")          << "en_US"   << "2026-02-29"   << ""           << false;
        QTest::newRow("ISO, leap day")                << "en_US"   << "2028-02-29"   << "2028-02-29" << false;

        QTest::newRow("month first, 7 days")          << "en_US"   << "12/8/2026"    << "2026-12-08" << true;
        QTest::newRow("month first, 8 days")          << "en_US"   << "12/09/2026"   << "2026-12-09" << false;
        QTest::newRow("month first, dashes, spaces")  << "en_US"   << " 12 - 8 - 2026 " << "2026-12-08" << true;
        QTest::newRow("month first, no month 13")     << "en_US"   << "13/12/2026"   << ""           << false;
        QTest::newRow("month first, overdue")         << "en_US"   << "11/30/2026"   << "2026-11-30" << true;
        QTest::newRow("day first, 7 days")            << "de_DE"   << "8.12.2026"    << "2026-12-08" << true;
        QTest::newRow("day first, 8 days")            << "en_GB"   << "9/12/2026"    << "2026-12-09" << false;
        QTest::newRow("day first, in August")         << "en_GB"   << "12/8/2026"    << "2026-08-12" << true;
        QTest::newRow("day first, no month 14")       << "de_DE"   << "12/14/2026"   << ""           << false;
        QTest::newRow("year first, short format")     << "ja_JP"   << "2026/12/09"   << "2026-12-09" << false;
        QTest::newRow("year first, two digits")       << "ko_KR"   << "26. 12. 8."   << "2026-12-08" << true;

        // Without a territory there is no order of its own: month first, as in en_US.
        QTest::newRow("C, 7 days")                    << "C"       << "12/8/2026"    << "2026-12-08" << true;
        QTest::newRow("C.UTF-8, 13 days")             << "C.UTF-8" << "12/14/2026"   << "2026-12-14" << false;
        QTest::newRow("POSIX, two-digit year")        << "POSIX"   << "12/9/26"      << "2026-12-09" << false;
        QTest::newRow("C, its own short format")      << "C"       << "8 Dec 2026"   << "2026-12-08" << true;

        QTest::newRow("month name first")             << "en_US"   << "Dec 8, 2026"  << "2026-12-08" << true;
        QTest::newRow("full month name, 8 days")      << "en_US"   << "December 9, 2026" << "2026-12-09" << false;
        QTest::newRow("weekday and month")            << "en_US"   << "Tuesday, December 8, 2026" << "2026-12-08" << true;
        QTest::newRow("a wrong weekday is no matter") << "en_US"   << "Friday, December 9, 2026" << "2026-12-09" << false;
        QTest::newRow("German month name")            << "de_DE"   << "8. Dezember 2026" << "2026-12-08" << true;
        QTest::newRow("German abbreviation")          << "de_DE"   << "Di., 9. Dez. 2026" << "2026-12-09" << false;
        QTest::newRow("English names everywhere")     << "de_DE"   << "9 December 2026" << "2026-12-09" << false;
        QTest::newRow("French month name")            << "fr_FR"   << "9 décembre 2026" << "2026-12-09" << false;
        QTest::newRow("French abbreviations")         << "fr_FR"   << "mar. 8 déc. 2026" << "2026-12-08" << true;
        QTest::newRow("Tuesday or March, Tuesday")    << "es_ES"   << "mar, 9 dic 2026" << "2026-12-09" << false;
        QTest::newRow("Tuesday or March, March")      << "es_ES"   << "9 mar 2026"   << "2026-03-09" << true;
        // Names match whatever their case, as QString::compare folds it.
        QTest::newRow("long s for s")                 << "en_US"   << "Augu\u017Ft 9, 2026" << "2026-08-09" << true;
        QTest::newRow("Kelvin sign for k")            << "de_DE"   << "9. O\u212Atober 2026" << "2026-10-09" << true;
        QTest::newRow("capital and final sigma")      << "el_GR"   << "9 ΔΕΚΈΜΒΡΙΟΣ 2026" << "2026-12-09" << false;
        QTest::newRow("dotless i is no i")            << "tr_TR"   << "9 ARALIK 2026" << ""          << false;
        QTest::newRow("two months")                   << "en_US"   << "Dec 8 Jan 2026" << ""         << false;
        QTest::newRow("no such month")                << "en_US"   << "Smarch 8, 2026" << ""         << false;
        QTest::newRow("month and year, no day")       << "en_US"   << "December 2026" << ""          << false;

        // Two-digit years: 00 to 49 in this century, 50 to 99 in the last.
        QTest::newRow("two digits, 00")               << "en_US"   << "12/9/00"      << "2000-12-09" << true;
        QTest::newRow("two digits, 26")               << "de_DE"   << "9.12.26"      << "2026-12-09" << false;
        QTest::newRow("two digits, 49")               << "en_US"   << "12/8/49"      << "2049-12-08" << false;
        QTest::newRow("two digits, 50")               << "en_US"   << "12/9/50"      << "1950-12-09" << true;
        QTest::newRow("two digits after a name, 49")  << "en_US"   << "Dec 8, 49"    << "2049-12-08" << false;
        QTest::newRow("two digits after a name, 50")  << "de_DE"   << "9. Dez. 50"   << "1950-12-09" << true;

        // Without a year: this year, even when that is past.
        QTest::newRow("no year, month first")         << "en_US"   << "12/8"         << "2026-12-08" << true;
        QTest::newRow("no year, day first")           << "de_DE"   << "9.12."        << "2026-12-09" << false;
        QTest::newRow("no year, month name")          << "en_US"   << "Dec 9"        << "2026-12-09" << false;
        QTest::newRow("no year, in January")          << "en_US"   << "1/5"          << "2026-01-05" << true;

        QTest::newRow("words")                        << "en_US"   << "soon"         << ""           << false;
        QTest::newRow("date and time")                << "en_US"   << "12/8/2026 8am" << ""          << false;
        QTest::newRow("empty")                        << "en_US"   << ""             << ""           << false;
        QTest::newRow("blank")                        << "de_DE"   << "  "           << ""           << false;
        // clang-format on
    }
    void read()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, date);
        QFETCH(bool, due);
        const QLocale conventions(locale);
        QCOMPARE(RefillDate::read(text, conventions, Today).value_or(QDate()).toString(Qt::ISODate),
                 date);
        QCOMPARE(RefillDate::isDue(text, conventions, Today), due);
        // Only a text that says something and cannot be read earns a hint.
        const bool unreadable = !text.trimmed().isEmpty() && date.isEmpty();
        QCOMPARE(!RefillDate::unreadableHint(text, conventions, Today).isEmpty(), unreadable);
    }

    // Where the locale's own formats read a text, the text reads as they read
    // it, in every locale Qt knows: reading answers without the formats only
    // where they would agree. The texts are the locale's own short and long
    // dates in either case, numbers in every order, and English names.
    void asTheLocaleFormatsRead_data()
    {
        QTest::addColumn<QLocale>("conventions");
        QTest::newRow("system") << QLocale::system();
        for (const QLocale &locale : QLocale::matchingLocales(
                 QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
            QTest::newRow(qPrintable(locale.bcp47Name())) << locale;
    }
    void asTheLocaleFormatsRead()
    {
        QFETCH(QLocale, conventions);
        QList<QLocale::FormatType> fullYearFormats;
        for (auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
            if (conventions.dateFormat(format).contains("yyyy"))
                fullYearFormats << format;
        }
        const QLocale c = QLocale::c();
        for (int month = 1; month <= 12; ++month) {
            const QDate date(month % 2 ? 2026 : 1999, month, 1 + month * 7 % 28);
            QStringList texts;
            for (auto format : fullYearFormats) {
                const QString own = conventions.toString(date, format);
                texts << own << own.toUpper() << own.toLower();
            }
            for (const char *numbers : {"d/M/yyyy", "M/d/yyyy", "yyyy/M/d", "dd.MM.yyyy",
                                        "yyyy-MM-dd", "dd-MM-yyyy", "yyyy. MM. dd.", "d. M. yyyy"})
                texts << c.toString(date, QString::fromLatin1(numbers));
            // Qt reads a sign before the year, where the names' reader would not.
            for (const char *names :
                 {"d MMM yyyy", "MMMM d, yyyy", "dddd, d MMMM yyyy", "d MMM -yyyy"})
                texts << c.toString(date, QString::fromLatin1(names));
            for (const QString &text : texts) {
                QDate byFormat;
                for (auto format : fullYearFormats) {
                    byFormat = conventions.toDate(text.simplified(), format);
                    if (byFormat.isValid())
                        break;
                }
                if (byFormat.isValid())
                    QCOMPARE(RefillDate::read(text, conventions, Today).value_or(QDate()),
                             byFormat);
            }
        }
    }

    // The hint offers today in the locale's short form and in ISO; both must
    // read back as today, or the advice would not help.
    void hintNamesFormsThatRead_data()
    {
        QTest::addColumn<QString>("locale");
        for (const char *name :
             {"en_US", "en_GB", "de_DE", "fr_FR", "nl_NL", "ja_JP", "ko_KR", "hu_HU", "C"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void hintNamesFormsThatRead()
    {
        QFETCH(QString, locale);
        const QLocale conventions(locale);
        const QString hint = RefillDate::unreadableHint(u"soon"_s, conventions, Today);
        const QString shortForm = conventions.toString(Today, QLocale::ShortFormat);
        for (const QString &form : {shortForm, Today.toString(Qt::ISODate)}) {
            QVERIFY2(hint.contains(form), qPrintable(hint));
            QCOMPARE(RefillDate::read(form, conventions, Today).value_or(QDate()), Today);
        }
    }
};

QTEST_GUILESS_MAIN(TestRefillDate)
#include "tst_refilldate.moc"
