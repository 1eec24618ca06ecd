#include "FileBytes.h"
#include "ListFileFormat.h"
#include "ListFileReader.h"
#include "ListFileWriter.h"
#include "MedicationList.h"

#include <QBuffer>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// QCOMPARE takes floats as equal when they are close; the file must give
// back the very same float.
bool sameFloat(float read, float expected)
{
    if (read == expected)
        return true;
    qWarning("read %.9g, expected %.9g", double(read), double(expected));
    return false;
}

ListFileReadResult readBytes(QByteArray bytes, MedicationList &list)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ListFileReader::read(buffer, list);
}

} // namespace

class TestListFile : public QObject
{
    Q_OBJECT

private slots:
    // The message names the text and the character, so that the user can
    // find what to change.
    void refusesCharacterTheCodePageLacks()
    {
        MedicationList list;
        QString error;
        list.setCell(3, 1, u"Ωmega-3"_s);
        QVERIFY(!ListFileWriter::encode(list, &error));
        QVERIFY2(error.contains(u"Name in row 3"_s) && error.contains(u'Ω'), qPrintable(error));
        list.setCell(3, 1, {});
        list.setNotes(u"a\r\n😀"_s);
        QVERIFY(!ListFileWriter::encode(list, &error));
        QVERIFY2(error.contains(u"general notes"_s) && error.contains(u"😀"_s), qPrintable(error));
        list.setNotes({});
        list.setListPrinterName(u"Drucker Ω"_s);
        QVERIFY(!ListFileWriter::encode(list, &error));
        QVERIFY2(error.contains(u"printer name"_s) && error.contains(u'Ω'), qPrintable(error));
    }

    void readsWindowsFile()
    {
        QByteArray bytes = contentOf(PILLORA_TEST_DATA "/windows-list.dat");
        MedicationList list;
        const ListFileReadResult result = readBytes(bytes, list);
        QVERIFY2(result.complete, qPrintable(result.problem));
        QVERIFY(result.fontSizeStored);
        // " 1200 " and "1200", a fraction, "-60 ", bold "True"; line 9 is not read.
        QCOMPARE(list.settings(),
                 (ListSettings{1200, 1200, 9615.5, -60, 10, true, u"HP LaserJet 4 (Büro)"_s}));
        QCOMPARE(list.cell(1, 1), u"Café"_s);
        QCOMPARE(list.cell(2, 2), u"€ 3,50"_s); // after a line ended by a lone CR
        QCOMPARE(list.cell(2, 3), u"mix\nwell"_s);
        QCOMPARE(list.cell(2, 6), u"a\r\n\rb"_s);
        QCOMPARE(list.cell(49, 6), u"last"_s);
        QCOMPARE(list.notes(), u"Call Dr. Müller\r\nMon–Fri"_s);

        // Only "True" switches bold on; an empty size line marks Standard
        // without a size for the fonts to take.
        bytes.replace("10\r\nTrue\r\n", "\r\ntrue\r\n");
        QVERIFY(!readBytes(bytes, list).fontSizeStored);
        QCOMPARE(list.settings().fontSize, 8);
        QVERIFY(!list.settings().bold);
    }

    void windowsFileComesBackByteForByte()
    {
        const QByteArray original = contentOf(PILLORA_TEST_DATA "/windows-roundtrip.dat");
        MedicationList list;
        QVERIFY(readBytes(original, list).complete);
        QCOMPARE(ListFileWriter::encode(list, nullptr).value_or("<refused>"), original);
    }

    // A window number as Visual Basic or a hand wrote it, the float it
    // reads as, and the line that float is written as, which reads back as
    // the very same float.
    void windowNumbers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("written");
        // clang-format off
        QTest::newRow("whole")              << " 1200 "         << 1200.0f      << " 1200 ";
        QTest::newRow("without spaces")     << "1200"           << 1200.0f      << " 1200 ";
        QTest::newRow("negative")           << "-60 "           << -60.0f       << "-60 ";
        QTest::newRow("below one")          << "-.5 "           << -0.5f        << "-.5 ";
        QTest::newRow("plus sign")          << "+9615.5"        << 9615.5f      << " 9615.5 ";
        QTest::newRow("no short decimal")   << " .1 "           << 0.1f         << " .1 ";
        QTest::newRow("ten million")        << " 1E+07 "        << 1e7f         << " 1E+07 ";
        QTest::newRow("small fraction")     << " .00001 "       << 1e-5f        << " 1E-05 ";
        QTest::newRow("seven digits of VB") << " 1.234568E+07 " << 12345680.0f  << " 12345680 ";
        QTest::newRow("lower-case e")       << "-1.5e-06"       << -1.5e-6f     << "-1.5E-06 ";
        QTest::newRow("largest float")      << "3.4028235E38"   << 3.4028235e38f << " 3.4028235E+38 ";
        QTest::newRow("E without digits")   << "2E"             << 2.0f         << " 2 ";
        QTest::newRow("text after it")      << "12abc"          << 12.0f        << " 12 ";
        QTest::newRow("no number")          << "abc"            << 0.0f         << " 0 ";
        QTest::newRow("dot alone")          << "-."             << 0.0f         << " 0 ";
        QTest::newRow("beyond a float")     << "1E+39"          << 0.0f         << " 0 ";
        // clang-format on
    }
    void windowNumbers()
    {
        QFETCH(QString, line);
        QFETCH(float, value);
        QFETCH(QString, written);
        QVERIFY(sameFloat(ListFileFormat::leadingNumber(line), value));
        QCOMPARE(ListFileFormat::formatNumber(value), written);
        QVERIFY(sameFloat(ListFileFormat::leadingNumber(written), value));
    }

    void noWarningWhenOnlyTheLastLineEndIsMissing()
    {
        QByteArray bytes = contentOf(PILLORA_TEST_DATA "/windows-roundtrip.dat");
        QVERIFY(bytes.endsWith("~~\r\n"));
        bytes.chop(2);
        MedicationList list;
        const ListFileReadResult result = readBytes(bytes, list);
        QVERIFY2(result.complete, qPrintable(result.problem));
        QCOMPARE(list.notes(), u"Call Dr. Müller\r\nMon–Fri 8\r12\r\n"_s);
    }

    // Read as far as it goes, the rest taken as empty, and the caller warned.
    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("headers");
        const QByteArray whole = contentOf(PILLORA_TEST_DATA "/windows-roundtrip.dat");
        const QStringList none(6, QString());
        QTest::newRow("empty") << QByteArray() << none;
        QTest::newRow("ends in the header row") << whole.left(whole.indexOf("Instructions"))
                                                << QStringList{"Name", "Dosage", "", "", "", ""};
        QTest::newRow("NUL bytes in a cell")
            << contentOf(PILLORA_TEST_DATA "/nul-bytes.dat") << MedicationList::headerTexts();
        QTest::newRow("random bytes")
            << contentOf(PILLORA_TEST_DATA "/binary.dat").left(200) << none;
    }
    void damagedFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, headers);
        MedicationList list;
        // Its last cell and notes are filled, so that stale texts would show.
        readBytes(contentOf(PILLORA_TEST_DATA "/windows-roundtrip.dat"), list);
        const ListFileReadResult result = readBytes(bytes, list);
        QVERIFY(result.readable);
        QVERIFY(!result.complete && !result.problem.isEmpty());
        QCOMPARE(list.cell(49, 6), QString());
        QCOMPARE(list.notes(), QString());
        for (int column = 1; column <= 6; ++column)
            QCOMPARE(list.cell(0, column), headers[column - 1]);
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
