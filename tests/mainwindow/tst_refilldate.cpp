#include "RefillDate.h"

#include <QTest>

namespace {

const QDate Today(2026, 6, 15);
const QDate Dec13(2026, 12, 13);

} // namespace

class TestRefillDate : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QString>("localeName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("expected");

        const QLocale us(QStringLiteral("en_US"));
        const QLocale de(QStringLiteral("de_DE"));
        for (const QLocale &locale : {us, de}) {
            const QByteArray name = locale.name().toLatin1();
            QTest::addRow("%s short format", name.constData())
                << locale.name() << locale.toString(Dec13, QLocale::ShortFormat) << Dec13;
            QTest::addRow("%s long format", name.constData())
                << locale.name() << locale.toString(Dec13, QLocale::LongFormat) << Dec13;
            QTest::addRow("%s ISO 8601", name.constData())
                << locale.name() << "2026-12-13" << Dec13;
            QTest::addRow("%s surrounding spaces", name.constData())
                << locale.name() << "  2026-12-13 " << Dec13;
            QTest::addRow("%s empty", name.constData()) << locale.name() << "" << QDate();
            QTest::addRow("%s day that does not exist", name.constData())
                << locale.name() << "2026-02-30" << QDate();
        }

        const auto row = [](const char *name, const char *locale, const QString &text, QDate date) {
            QTest::newRow(name) << QString::fromLatin1(locale) << text << date;
        };
        row("en_US month first, four-digit year", "en_US", "12/13/2026", Dec13);
        row("en_US month first, two-digit year", "en_US", "12/13/26", Dec13);
        row("en_US single digits", "en_US", "3/4/2026", QDate(2026, 3, 4));
        row("en_US no year", "en_US", "12/13", QDate(Today.year(), 12, 13));
        row("en_US day first is no date", "en_US", "13/12/2026", QDate());
        row("en_US month name", "en_US", "December 13, 2026", Dec13);
        row("en_US abbreviation", "en_US", "Dec 13, 2026", Dec13);
        row("en_US day before the name", "en_US", "13 Dec 2026", Dec13);
        row("en_US any letter case", "en_US", "DECEMBER 13 2026", Dec13);
        row("en_US name without year", "en_US", "Dec 13", QDate(Today.year(), 12, 13));
        row("en_US words", "en_US", "next Tuesday", QDate());
        row("en_US a name and words", "en_US", "Dec 13 maybe", QDate());
        row("en_US number alone", "en_US", "13", QDate());
        row("de_DE day first, four-digit year", "de_DE", "13.12.2026", Dec13);
        row("de_DE day first, two-digit year", "de_DE", "13.12.26", Dec13);
        row("de_DE single digits", "de_DE", "3.4.2026", QDate(2026, 4, 3));
        row("de_DE no year", "de_DE", "13.12.", QDate(Today.year(), 12, 13));
        row("de_DE month name", "de_DE", "13. Dezember 2026", Dec13);
        row("de_DE abbreviation", "de_DE", "13. Dez. 2026", Dec13);
        row("de_DE umlaut", "de_DE", QStringLiteral("3. März 2026"), QDate(2026, 3, 3));
        row("de_DE month thirteen", "de_DE", "12.13.2026", QDate());
        row("de_DE words", "de_DE", "bald", QDate());
    }
    void read()
    {
        QFETCH(QString, localeName);
        QFETCH(QString, text);
        QFETCH(QDate, expected);
        const std::optional<QDate> date = RefillDate::read(text, QLocale(localeName), Today);
        QCOMPARE(date.value_or(QDate()), expected);
    }
};

QTEST_GUILESS_MAIN(TestRefillDate)
#include "tst_refilldate.moc"
