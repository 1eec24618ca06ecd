#include "FailingDevice.h"
#include "FileBytes.h"
#include "ListFileFormat.h"
#include "ListFileReader.h"
#include "ListFileWriter.h"
#include "MedicationList.h"

#include <QBuffer>
#include <QMap>
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
    void writesLineTable()
    {
        MedicationList list;
        list.ClearList();
        list.setSettings({1200, -60, 9615.5, -0.5, 8, false, {}});
        list.setCell(1, 1, u"Café"_s);
        list.setCell(49, 6, u"abc\r"_s);
        list.setNotes(u"Dr. Müller\r\nMon – Fri"_s);
        // Lines 8 to 14 stay empty; the header row is stored like any other.
        QByteArray expected =
            " 1200 \r\n-60 \r\n 9615.5 \r\n-.5 \r\n8\r\nFalse\r\n\r\n"
            "\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
            "Name\r\nDosage\r\nInstructions\r\nQuantity\r\nNext Refill Date\r\nNotes\r\n";
        const QMap<int, QByteArray> cellLines{
            {21, "Caf\xe9"}, {314, "abc~"}, {315, "Dr. M\xfcller~~Mon \x96 Fri"}};
        for (int line = 21; line <= 315; ++line)
            expected += cellLines.value(line) + "\r\n";
        QCOMPARE(ListFileWriter::encode(list, nullptr).value_or("<refused>"), expected);
    }

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

    // Window edges and sizes that are not whole come back as the same float.
    void windowNumbersReadBackAsWritten_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("line");
        QTest::newRow("whole") << 1200.0f << " 1200 ";
        QTest::newRow("negative") << -60.0f << "-60 ";
        QTest::newRow("fraction") << 9615.5f << " 9615.5 ";
        QTest::newRow("below one") << -0.5f << "-.5 ";
        QTest::newRow("shortest that reads back") << 0.1f << " .1 ";
        QTest::newRow("ten million") << 1e7f << " 1E+07 ";
        QTest::newRow("a hundred-thousandth") << 1e-5f << " 1E-05 ";
        QTest::newRow("more digits than seven") << 12345678.0f << " 12345678 ";
        QTest::newRow("largest float") << 3.4028235e38f << " 3.4028235E+38 ";
    }
    void windowNumbersReadBackAsWritten()
    {
        QFETCH(float, value);
        QFETCH(QString, line);
        QCOMPARE(ListFileFormat::formatNumber(value), line);
        QVERIFY(sameFloat(ListFileFormat::leadingNumber(line), value));
    }

    // As Visual Basic writes them under Windows, or as typed by hand.
    void windowNumbersWrittenElsewhere_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<float>("value");
        QTest::newRow("no spaces") << "1200" << 1200.0f;
        QTest::newRow("plus sign") << "+5.25" << 5.25f;
        QTest::newRow("fraction without digits before") << " .00001 " << 1e-5f;
        QTest::newRow("exponent") << " 1.234568E+07 " << 12345680.0f;
        QTest::newRow("negative exponent") << "-1.5E-06 " << -1.5e-6f;
        QTest::newRow("lower-case e") << "2.5e3" << 2500.0f;
        QTest::newRow("exponent without digits") << "2E" << 2.0f;
        QTest::newRow("text after the number") << "12abc" << 12.0f;
        QTest::newRow("no number") << "abc" << 0.0f;
        QTest::newRow("dot alone") << "-." << 0.0f;
        QTest::newRow("beyond a float") << "1E+39" << 0.0f;
    }
    void windowNumbersWrittenElsewhere()
    {
        QFETCH(QString, line);
        QFETCH(float, value);
        QVERIFY(sameFloat(ListFileFormat::leadingNumber(line), value));
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

    // A drive that gives a read error: nothing of what was read is used.
    void readErrorLeavesListAsItWas_data()
    {
        QTest::addColumn<qint64>("failAfter");
        QTest::newRow("at once") << qint64(0);
        QTest::newRow("in the cells") << qint64(300);
    }
    void readErrorLeavesListAsItWas()
    {
        QFETCH(qint64, failAfter);
        MedicationList list;
        list.setCell(1, 1, u"Aspirin"_s);
        list.setSettings({1, 2, 3, 4, 10, true, u"Printer"_s});
        FailingDevice device(failAfter, contentOf(PILLORA_TEST_DATA "/windows-roundtrip.dat"));
        const ListFileReadResult result = ListFileReader::read(device, list);
        QVERIFY(!result.readable);
        QCOMPARE(result.problem, u"Input/output error"_s);
        QCOMPARE(list.cell(1, 1), u"Aspirin"_s);
        QCOMPARE(list.cell(0, 1), QString());
        QCOMPARE(list.settings(), (ListSettings{1, 2, 3, 4, 10, true, u"Printer"_s}));
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
