#include "CodePage.h"

#include <QTest>

class TestCodePage : public QObject
{
    Q_OBJECT

private slots:
    // Every byte reads as a character that writes back as that byte, or a
    // file written under Windows would not come back as it was.
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
