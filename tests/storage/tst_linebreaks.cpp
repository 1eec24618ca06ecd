#include "LineBreaks.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestLineBreaks : public QObject
{
    Q_OBJECT

private slots:
    // A cell's text, its line in the file and what reading that line gives back.
    void lineBreaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("CR LF") << u"a\r\nb"_s << u"a~~b"_s << u"a\r\nb"_s;
        QTest::newRow("lone CR, also at the end") << u"a\rb\r"_s << u"a~b~"_s << u"a\rb\r"_s;
        // Three tildes read as CR LF then CR, so this text alone comes back changed.
        QTest::newRow("lone CR before CR LF") << u"a\r\r\nb"_s << u"a~~~b"_s << u"a\r\n\rb"_s;
    }
    void lineBreaks()
    {
        QFETCH(QString, text);
        QFETCH(QString, line);
        QFETCH(QString, readBack);
        QCOMPARE(EncodeLineBreaks(text), line);
        QCOMPARE(DecodeLineBreaks(line), readBack);
    }
};

QTEST_GUILESS_MAIN(TestLineBreaks)
#include "tst_linebreaks.moc"
