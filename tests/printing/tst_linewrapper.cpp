#include "FontTextMeasurer.h"
#include "PrintingFixture.h"
#include "Typefaces.h"

// Breaking printed lines: at the last blank that fits, inside a word only
// when the word alone is wider than a line.
class TestLineWrapper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Typefaces::installSubstitutions(); }

    // Each row: a text and a limit in characters of 100 twips; then the
    // lines, joined by " / ".
    void wrap_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("limit");
        QTest::addColumn<QString>("lines");
        QTest::newRow("at the last blank that fits")
            << "Take on an empty stomach" << 10.0 << "Take on an / empty / stomach";
        QTest::newRow("at a blank just after what fits") << "abcde fgh" << 5.0 << "abcde / fgh";
        QTest::newRow("a dose stays whole") << "take 10 mg" << 6.0 << "take / 10 mg";
        QTest::newRow("a short word stays whole") << "te st." << 4.0 << "te / st.";
        QTest::newRow("a word longer than a line, each rest split again")
            << "abcdefghijklmno" << 4.0 << "abcd / efgh / ijkl / mno";
        QTest::newRow("a short word, then one longer than a line")
            << "ab cdefghijkl" << 5.0 << "ab / cdefg / hijkl";
        QTest::newRow("the blanks at a cut start no line") << "one   two" << 4.0 << "one / two";
        QTest::newRow("indentation stays on the first line")
            << "   indented text" << 12.0 << "   indented / text";
        QTest::newRow("indentation is no place to cut")
            << "   abcdefgh" << 5.0 << "   ab / cdefg / h";
        QTest::newRow("not one character fits: no line of blanks") << "ab c" << 0.5 << "a / b / c";
        QTest::newRow("a character beyond the basic plane stays whole")
            << "a\U0001F600b" << 1.0 << "a / \U0001F600 / b";
    }
    void wrap()
    {
        const CharacterMeasurer measurer;
        QFETCH(QString, text);
        QFETCH(double, limit);
        QTEST(LineWrapper(measurer).wrap(text, limit * 100).join(" / "), "lines");
    }

    // Each row: a text and the font it is measured in. It is wrapped at every
    // width its own starts have, the widths coming from the same font.
    void atEveryWrapPosition_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        const QString doses = "Take 10 mg on an empty stomach, then 2.5 mg at night";
        QTest::newRow("doses, Standard") << doses << 8 << false;
        QTest::newRow("doses, Large bold") << doses << 10 << true;
        QTest::newRow("short words") << "te st. 1 0 a" << 8 << false;
        QTest::newRow("letters beyond ASCII")
            << QString("Prescribed by Dr. Müller: co-payment 5 € a pack") << 10 << false;
    }
    void atEveryWrapPosition()
    {
        QFETCH(QString, text);
        QFETCH(int, size);
        QFETCH(bool, bold);
        QFont font("MS Sans Serif");
        font.setPointSize(size);
        font.setBold(bold);
        const FontTextMeasurer measurer(font);
        const LineWrapper wrapper(measurer);
        for (qsizetype n = 1; n <= text.size(); ++n) {
            const double limit = measurer.width(text.first(n));
            const QStringList lines = wrapper.wrap(text, limit);
            const QString at = QString("at %1: %2").arg(n).arg(lines.join(" / "));
            // Every character in order, lines parted at a blank, or inside a
            // word wider than the limit; each line as full as it can be.
            qsizetype pos = 0;
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QString &line = lines[i];
                // A letter wider than the line still gets one of its own.
                QVERIFY2(measurer.width(line) <= limit || line.size() == 1, qPrintable(at));
                QCOMPARE(text.mid(pos, line.size()), line);
                pos += line.size();
                if (i == lines.size() - 1)
                    break;
                QString next = lines[i + 1];
                if (text.at(pos) == u' ') {
                    ++pos;
                    next = next.section(u' ', 0, 0);
                    QVERIFY2(measurer.width(line + " " + next) > limit, qPrintable(at));
                } else {
                    const qsizetype start = text.lastIndexOf(u' ', pos) + 1;
                    const QString word = text.mid(start).section(u' ', 0, 0);
                    QVERIFY2(measurer.width(word) > limit, qPrintable(at + " cuts " + word));
                    QVERIFY2(measurer.width(line + next.first(1)) > limit, qPrintable(at));
                }
            }
            QCOMPARE(pos, text.size());
        }
    }
};

QTEST_MAIN(TestLineWrapper)
#include "tst_linewrapper.moc"
