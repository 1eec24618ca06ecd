#include "Catalogue.h"
#include "FileBytes.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("empty file") << ""_ba << QStringList();
        QTest::newRow("CR LF, lone CR, no end")
            << "Mum\r\nDad\rEve"_ba << QStringList{"Mum", "Dad", "Eve"};
        QTest::newRow("empty line, spaces")
            << "\r\n Aunt  May \r\n"_ba << QStringList{"", " Aunt  May "};
        // Edited by hand: without this every Delete failed on a name holding LF.
        QTest::newRow("LF only") << "Mum\nDad\n\nEve"_ba << QStringList{"Mum", "Dad", "", "Eve"};
        QTest::newRow("LF CR is two line ends")
            << "Mum\n\rDad\r\n"_ba << QStringList{"Mum", "", "Dad"};
        QTest::newRow("windows-1252") << "Jos\xe9\r\n\x80\r\n"_ba << QStringList{"José", "€"};
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QCOMPARE(Catalogue::parse(bytes), names);
    }

    void rewriteKeepsOrder()
    {
        QTemporaryDir dir;
        const Catalogue catalogue(dir.filePath(u"MedLists.dat"_s));
        QVERIFY(catalogue.rewrite({u"José"_s, u"Mum"_s, u"Aunt May"_s}));
        QCOMPARE(contentOf(catalogue.filePath()), "Jos\xe9\r\nMum\r\nAunt May\r\n"_ba);
        // Deleting the last list leaves an empty catalogue, not none.
        QVERIFY(catalogue.rewrite({}));
        QCOMPARE(contentOf(catalogue.filePath()), QByteArray());
    }

    // The lines already there are kept byte for byte; a name the file could
    // not give back as it was is refused and changes nothing.
    void append_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QByteArray>("after");
        // clang-format off
        QTest::newRow("no catalogue yet")   << QByteArray()   << u"Dad"_s    << true  << "Dad\r\n"_ba;
        QTest::newRow("empty file")         << QByteArray("") << u"Dad"_s    << true  << "Dad\r\n"_ba;
        QTest::newRow("CR LF at end")       << "Mum\r\n"_ba    << u"Dad"_s    << true  << "Mum\r\nDad\r\n"_ba;
        QTest::newRow("lone CR at end")     << "Mum\r"_ba      << u"Dad"_s    << true  << "Mum\rDad\r\n"_ba;
        QTest::newRow("LF at end")          << "Mum\n"_ba      << u"Dad"_s    << true  << "Mum\nDad\r\n"_ba;
        QTest::newRow("no line end")        << "Mum"_ba        << u"Dad"_s    << true  << "Mum\r\nDad\r\n"_ba;
        QTest::newRow("emoji refused")      << "Mum\r\n"_ba    << u"Dad 😀"_s << false << "Mum\r\n"_ba;
        QTest::newRow("line break refused") << "Mum\r\n"_ba    << u"a\r\nb"_s  << false << "Mum\r\n"_ba;
        // clang-format on
    }
    void append()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const Catalogue catalogue(dir.filePath(u"MedLists.dat"_s));
        if (!before.isNull())
            QVERIFY(SaveFile::save(catalogue.filePath(), before));
        const SaveResult result = catalogue.append(name);
        QCOMPARE(result.ok, accepted);
        QCOMPARE(result.error.isEmpty(), accepted);
        QCOMPARE(contentOf(catalogue.filePath()), after);
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
