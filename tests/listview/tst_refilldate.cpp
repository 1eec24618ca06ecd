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
        QTest::newRow("ISO, 7 days ahead")            << "en_US"   << "2026-12-08"   << "2026-12-08" << true;
        QTest::newRow("ISO, 8 days ahead")            << "en_US"   << "2026-12-09"   << "2026-12-09" << false;
        QTest::newRow("ISO, no 29 February")          << "en_US"   << "2026-02-29"   << ""           << false;

        QTest::newRow("month first, dashes, spaces")  << "en_US"   << " 12 - 8 - 2026 " << "2026-12-08" << true;
        QTest::newRow("day first, 8 days")            << "en_GB"   << "9/12/2026"    << "2026-12-09" << false;
        QTest::newRow("day first, no month 14")       << "de_DE"   << "12/14/2026"   << ""           << false;
        // Without a territory there is no order of its own: month first, as in en_US.
        QTest::newRow("C.UTF-8, month first")         << "C.UTF-8" << "12/14/2026"   << "2026-12-14" << false;

        QTest::newRow("weekday and month")            << "en_US"   << "Tuesday, December 8, 2026" << "2026-12-08" << true;
        QTest::newRow("English names everywhere")     << "de_DE"   << "9 December 2026" << "2026-12-09" << false;
        QTest::newRow("Tuesday or March, Tuesday")    << "es_ES"   << "mar, 9 dic 2026" << "2026-12-09" << false;
        QTest::newRow("Tuesday or March, March")      << "es_ES"   << "9 mar 2026"   << "2026-03-09" << true;
        // Names match whatever their case, as QString::compare folds it.
        QTest::newRow("capital and final sigma")      << "el_GR"   << "9 ΔΕΚΈΜΒΡΙΟΣ 2026" << "2026-12-09" << false;

        // Two-digit years: 00 to 49 in this century, 50 to 99 in the last.
        QTest::newRow("two digits, 49")               << "en_US"   << "12/8/49"      << "2049-12-08" << false;
        QTest::newRow("two digits, 50")               << "en_US"   << "12/9/50"      << "1950-12-09" << true;

        // Without a year: this year, even when that is past.
        QTest::newRow("no year, day first")           << "de_DE"   << "9.12."        << "2026-12-09" << false;
        QTest::newRow("no year, in January")          << "en_US"   << "1/5"          << "2026-01-05" << true;

        QTest::newRow("words")                        << "en_US"   << "soon"         << ""           << false;
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
        // Only a text that says something and cannot be read earns a hint,
        // which offers the locale's short form where it reads back.
        const bool unreadable = !text.trimmed().isEmpty() && date.isEmpty();
        const QString hint = RefillDate::unreadableHint(text, conventions, Today);
        QCOMPARE(!hint.isEmpty(), unreadable);
        QVERIFY(!unreadable || hint.contains(conventions.toString(Today, QLocale::ShortFormat)));
    }

    // Where the locale's own formats read a text, the text reads as they read
    // it, in every locale Qt knows: the reader's shortcuts answer without the
    // formats only where they would agree. The texts are the locale's own
    // short and long dates in any case, numbers in every order, and English
    // names. Every form the hint offers reads back, and ISO is among them.
    void inEveryLocale_data()
    {
        QTest::addColumn<QLocale>("conventions");
        QTest::newRow("system") << QLocale::system();
        for (const QLocale &locale : QLocale::matchingLocales(
                 QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory))
            QTest::newRow(qPrintable(locale.bcp47Name())) << locale;
    }
    void inEveryLocale()
    {
        QFETCH(QLocale, conventions);
        const QString hint = RefillDate::unreadableHint(u"soon"_s, conventions, Today);
        const QString forms = hint.section(u"Write it as "_s, 1).chopped(1);
        QVERIFY2(forms.endsWith(Today.toString(Qt::ISODate)), qPrintable(hint));
        for (const QString &form : forms.split(u" or "_s))
            QVERIFY2(RefillDate::read(form, conventions, Today) == Today, qPrintable(hint));

        QList<QLocale::FormatType> formats;
        for (auto format : {QLocale::ShortFormat, QLocale::LongFormat}) {
            if (conventions.dateFormat(format).contains("yyyy"))
                formats << format;
        }
        const QLocale c = QLocale::c();
        for (int month = 1; month <= 12; ++month) {
            const QDate date(month % 2 ? 2026 : 1999, month, 1 + month * 7 % 28);
            QStringList texts;
            for (auto format : formats) {
                const QString own = conventions.toString(date, format);
                texts << own << own.toUpper() << own.toLower();
            }
            // Qt reads a sign before the year, where the names' reader would not.
            for (const char *format :
                 {"d/M/yyyy", "M/d/yyyy", "yyyy/M/d", "dd.MM.yyyy", "yyyy-MM-dd", "dd-MM-yyyy",
                  "yyyy. MM. dd.", "d. M. yyyy", "d MMM yyyy", "MMMM d, yyyy", "dddd, d MMMM yyyy",
                  "d MMM -yyyy"})
                texts << c.toString(date, QString::fromLatin1(format));
            for (const QString &text : texts) {
                for (auto format : formats) {
                    const QDate byFormat = conventions.toDate(text.simplified(), format);
                    if (byFormat.isValid()) {
                        QCOMPARE(RefillDate::read(text, conventions, Today).value_or(QDate()),
                                 byFormat);
                        break;
                    }
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestRefillDate)
#include "tst_refilldate.moc"
