#include "CodePage.h"

#include <QStringDecoder>
#include <QTest>

class TestCodePage : public QObject
{
    Q_OBJECT

private slots:
    // The program's own decoding must agree with Qt's converter on every
    // byte, wherever the byte falls among its neighbours.
    void decodesEveryByteAsTheConverterDoes()
    {
        QByteArray bytes;
        for (int byte = 0; byte < 256; ++byte)
            bytes += "ab" + QByteArray(byte % 9, 'x') + char(byte);
        QStringDecoder converter("windows-1252");
        const QString expected = converter.decode(bytes);
        QVERIFY(!converter.hasError());
        for (qsizetype from : {0, 1, 5})
            QCOMPARE(CodePage::decode(QByteArrayView(bytes).sliced(from)), expected.sliced(from));
    }

    // Otherwise a file written by the program would not read back as it was.
    void everyCharacterItDecodesEncodesBack()
    {
        for (int byte = 0; byte < 256; ++byte) {
            const char c = char(byte);
            QByteArray encoded;
            QVERIFY(CodePage::encode(CodePage::decode(QByteArrayView(&c, 1)), encoded));
            QCOMPARE(encoded, QByteArray(1, c));
        }
    }
};

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
