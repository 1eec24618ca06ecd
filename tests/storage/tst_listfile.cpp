#include "ListFileReader.h"
#include "ListFileWriter.h"
#include "MedicationList.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

namespace {

QByteArray dataFile(const QString &name)
{
    QFile file(QStringLiteral(PILLORA_TEST_DATA "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Missing test file %s", qPrintable(file.fileName()));
    return file.readAll();
}

ListFileReadResult readBytes(QByteArray bytes, MedicationList &list)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ListFileReader::read(buffer, list);
}

QByteArray written(const MedicationList &list)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    if (!ListFileWriter::write(list, buffer, &error))
        qWarning() << error;
    return buffer.data();
}

// The line of a file by number, starting at 1.
QByteArray lineOf(const QByteArray &file, int number)
{
    qsizetype start = 0;
    for (int line = 1; line < number; ++line)
        start = file.indexOf("\r\n", start) + 2;
    return file.mid(start, file.indexOf("\r\n", start) - start);
}

// Row -1 stands for the printer name, column 0 for the general notes.
void placeText(MedicationList &list, int row, int column, const QString &text)
{
    if (row < 0)
        list.setListPrinterName(text);
    else if (column == 0)
        list.setNotes(text);
    else
        list.setCell(row, column, text);
}

// A list as another list left it, so that the reader has to change it.
void fillWithOldList(MedicationList &list)
{
    list.setSettings({30, 30, 500, 500, 10, true, QStringLiteral("Old printer")});
    for (int row = 0; row < MedicationList::RowCount; ++row) {
        for (int column = 1; column < MedicationList::ColumnCount; ++column)
            list.setCell(row, column, QStringLiteral("old"));
    }
    list.setNotes(QStringLiteral("old"));
}

} // namespace

class TestListFile : public QObject
{
    Q_OBJECT

private slots:
    void emptyListIsByteExact()
    {
        MedicationList list;
        list.ClearList();
        list.setSettings({1200, -60, 9600, 7200, 8, false, {}});
        QByteArray expected = " 1200 \r\n-60 \r\n 9600 \r\n 7200 \r\n8\r\nFalse\r\n\r\n";
        for (int reserved = 8; reserved <= 14; ++reserved)
            expected += "\r\n";
        expected += "Name\r\nDosage\r\nInstructions\r\nQuantity\r\nNext Refill Date\r\nNotes\r\n";
        for (int line = 21; line <= 315; ++line)
            expected += "\r\n";
        QCOMPARE(written(list), expected);
    }

    void settingsLines()
    {
        MedicationList list;
        list.setSettings({-1, 15, 11520, 8640, 10, true, QStringLiteral("Büro Laser")});
        QVERIFY(written(list).startsWith(
            "-1 \r\n 15 \r\n 11520 \r\n 8640 \r\n10\r\nTrue\r\nB\xfcro Laser\r\n\r\n"));
    }

    // One text in the list and the line it must become.
    void textLine_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lineNumber");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("two-line notes cell") << 1 << 6 << "Take with food\r\nAvoid alcohol" << 26
                                             << QByteArray("Take with food~~Avoid alcohol");
        QTest::newRow("e acute") << 1 << 1 << "Café" << 21 << QByteArray("Caf\xe9");
        QTest::newRow("euro sign") << 2 << 4 << "€ 5" << 30 << QByteArray("\x80 5");
        QTest::newRow("lone CR at end") << 49 << 6 << "abc\r" << 314 << QByteArray("abc~");
        QTest::newRow("general notes") << 0 << 0 << "Dr. Müller\r\nMon – Fri" << 315
                                       << QByteArray("Dr. M\xfcller~~Mon \x96 Fri");
    }
    void textLine()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(int, lineNumber);
        QFETCH(QByteArray, line);
        MedicationList list;
        placeText(list, row, column, text);
        QCOMPARE(lineOf(written(list), lineNumber), line);
    }

    void refusesCharacterTheCodePageLacks_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("whose");
        QTest::newRow("omega in a name") << 3 << 1 << "Ωmega-3"
                                         << "Name in row 3";
        QTest::newRow("emoji in notes cell") << 12 << 6 << "ok 😀"
                                             << "Notes in row 12";
        QTest::newRow("general notes") << 0 << 0 << "a\r\n😀"
                                       << "general notes";
        QTest::newRow("printer name") << -1 << -1 << "Drucker Ω"
                                      << "printer name";
    }
    void refusesCharacterTheCodePageLacks()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        QFETCH(QString, whose);
        MedicationList list;
        placeText(list, row, column, text);
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QString error;
        QVERIFY(!ListFileWriter::write(list, buffer, &error));
        QCOMPARE(buffer.size(), 0);
        QVERIFY2(error.contains(whose), qPrintable(error));
        QVERIFY2(error.contains(text.right(text.back().isLowSurrogate() ? 2 : 1)),
                 qPrintable(error));
    }

    void readSettings_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<ListSettings>("settings");
        QTest::addColumn<bool>("fontSizeStored");
        // " 1200 " and "1200" on lines 1 and 2, "-60 " on line 4, bold "True".
        const ListSettings windows{1200, 1200, 9615.5, -60, 10, true, "HP LaserJet 4 (Büro)"};
        QTest::newRow("as Windows writes it") << "windows-list.dat" << windows << true;
        // An empty size line marks Standard without a size to apply; "true"
        // is not the word that switches bold on; "wide" is no number.
        const ListSettings loose{0, 1200, 9600, 7200, 8, false, {}};
        QTest::newRow("empty size, lower-case true")
            << "empty-size-lowercase-true.dat" << loose << false;
    }
    void readSettings()
    {
        QFETCH(QString, file);
        QFETCH(ListSettings, settings);
        QFETCH(bool, fontSizeStored);
        MedicationList list;
        fillWithOldList(list);
        const ListFileReadResult result = readBytes(dataFile(file), list);
        QVERIFY2(result.complete, qPrintable(result.problem));
        QCOMPARE(result.fontSizeStored, fontSizeStored);
        QCOMPARE(list.settings(), settings);
    }

    void readTexts_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("header from the file") << 0 << 5 << "Next Refill Date";
        QTest::newRow("0xE9") << 1 << 1 << "Café";
        QTest::newRow("two tildes") << 1 << 6 << "Take with food\r\nAvoid alcohol";
        QTest::newRow("line ended by a lone CR") << 2 << 1 << "Aspirin";
        QTest::newRow("0x80 after a lone CR") << 2 << 2 << "€ 3,50";
        QTest::newRow("LF inside a line") << 2 << 3 << "mix\nwell";
        QTest::newRow("three tildes") << 2 << 6 << "a\r\n\rb";
        QTest::newRow("last cell") << 49 << 6 << "last";
        QTest::newRow("general notes") << 0 << 0 << "Call Dr. Müller\r\nMon–Fri";
    }
    void readTexts()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        MedicationList list;
        fillWithOldList(list);
        QVERIFY(readBytes(dataFile(QStringLiteral("windows-list.dat")), list).complete);
        QCOMPARE(column == 0 ? list.notes() : list.cell(row, column), text);
    }

    // A damaged file is read as far as it goes, the rest counts as empty, and
    // the caller learns that the list is not whole.
    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("lastHeader");
        QTest::newRow("empty") << dataFile("empty.dat") << "";
        QTest::newRow("short") << dataFile("short.dat") << "Dosage";
        QTest::newRow("random bytes") << dataFile("binary.dat") << QString();
        QTest::newRow("NUL bytes in a cell") << dataFile("nul-bytes.dat") << "Notes";
        QTest::newRow("no CR LF after line 315")
            << dataFile("empty-size-lowercase-true.dat").chopped(2) << "Notes";
    }
    void damagedFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, lastHeader);
        MedicationList list;
        fillWithOldList(list);
        const ListFileReadResult result = readBytes(bytes, list);
        QVERIFY(!result.complete);
        QVERIFY(!result.problem.isEmpty());
        QCOMPARE(list.cell(49, 6), QString());
        QCOMPARE(list.notes(), QString());
        if (lastHeader.isNull())
            return;
        const qsizetype lastColumn = MedicationList::headerTexts().indexOf(lastHeader) + 1;
        for (int column = 1; column <= 6; ++column)
            QCOMPARE(list.cell(0, column), column <= lastColumn
                                               ? MedicationList::headerTexts().at(column - 1)
                                               : QString());
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
