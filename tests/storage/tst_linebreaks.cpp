#include "LineBreaks.h"

#include <QTest>

class TestLineBreaks : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("two lines") << "Take with food\r\nAvoid alcohol"
                                   << "Take with food~~Avoid alcohol";
        QTest::newRow("trailing lone CR") << "abc\r" << "abc~";
        QTest::newRow("lone LF kept") << "a\nb" << "a\nb";
        QTest::newRow("empty") << "" << "";
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QString, line);
        QCOMPARE(EncodeLineBreaks(text), line);
        QCOMPARE(DecodeLineBreaks(line), text);
    }

    void tildesAreLineBreaks_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("text");
        QTest::newRow("one tilde") << "a~b" << "a\rb";
        QTest::newRow("three tildes") << "~~~" << "\r\n\r";
        QTest::newRow("four tildes") << "~~~~" << "\r\n\r\n";
    }
    void tildesAreLineBreaks()
    {
        QFETCH(QString, line);
        QFETCH(QString, text);
        QCOMPARE(DecodeLineBreaks(line), text);
    }

    // The one text the transforms cannot carry unchanged, besides a tilde.
    void loneCrBeforeCrLfComesBackReordered()
    {
        QCOMPARE(EncodeLineBreaks("a\r\r\nb"), QString("a~~~b"));
        QCOMPARE(DecodeLineBreaks("a~~~b"), QString("a\r\n\rb"));
    }
};

QTEST_GUILESS_MAIN(TestLineBreaks)
#include "tst_linebreaks.moc"
