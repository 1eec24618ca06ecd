#include "FailingDevice.h"
#include "ListFileFormat.h"
#include "ListFileReader.h"
#include "ListFileWriter.h"
#include "MedicationList.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString Stale = u"stale"_s;

// The bytes up to and including the end of line number last.
QByteArray firstLines(const QByteArray &bytes, int last)
{
    qsizetype end = 0;
    for (int line = 0; line < last; ++line)
        end = bytes.indexOf("\r\n", end) + 2;
    return bytes.left(end);
}

} // namespace

class TestListFile : public QObject
{
    Q_OBJECT

    const QByteArray m_windowsFile = [] {
        QFile file(PILLORA_TEST_DATA "/windows-roundtrip.dat");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

private slots:
    // Read from a device that never ends, up to the reader's limit and no
    // further: past line 315 nothing counts, not even control characters.
    void windowsFileComesBackByteForByte()
    {
        FailingDevice device(FailingDevice::Never, m_windowsFile, '\x01');
        MedicationList list;
        QVERIFY(ListFileReader::read(device, list).complete);
        QCOMPARE(device.bytesRead(), ListFileReader::MaxBytes);
        QCOMPARE(ListFileWriter::encode(list, nullptr).value_or("<refused>"), m_windowsFile);
        QCOMPARE(list.notes(), u"Call Dr. Müller\r\nMon–Fri 8\r12\r\n"_s);
    }

    // A window number as Visual Basic or a hand wrote it, and as it is
    // written again once read.
    void windowNumbers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("written");
        // clang-format off
        QTest::newRow("below one") << "-.5 " << "-.5 ";
        QTest::newRow("far off screen") << "-1E+09" << "-1E+09 ";
        QTest::newRow("seven digits") << " 1.234568E+07 " << " 12345680 ";
        QTest::newRow("beyond a float") << "1E+39" << " 0 ";
        // clang-format on
    }
    void windowNumbers()
    {
        QFETCH(QString, line);
        QTEST(ListFileFormat::formatNumber(ListFileFormat::leadingNumber(line)), "written");
    }

    // The writer refuses what the code page lacks and passes the device's
    // reason on; a read that fails, even near its end, changes nothing.
    void failingDevice()
    {
        MedicationList list;
        list.setCell(3, MedicationList::NameColumn, u"Ωmega-3"_s);
        QString error;
        QVERIFY(!ListFileWriter::encode(list, &error));
        QCOMPARE(error, u"The Name in row 3 holds \"Ω\", a character that a list file cannot "
                        "store."_s);
        list.setCell(3, MedicationList::NameColumn, QString());
        list.setCell(49, MedicationList::NotesColumn, Stale);
        list.setNotes(Stale);
        FailingDevice writing(100);
        QVERIFY(!ListFileWriter::write(list, writing, &error));
        QCOMPARE(error, FailingDevice::Reason);
        FailingDevice reading(m_windowsFile.size() - 1, m_windowsFile);
        const ListFileReadResult result = ListFileReader::read(reading, list);
        QVERIFY(!result.readable && !result.complete);
        QCOMPARE(result.problem, FailingDevice::Reason);
        QCOMPARE(list.cell(49, MedicationList::NotesColumn) + list.notes(), Stale + Stale);
    }

    // Read as far as it goes, nothing of the list before left, the caller warned
    // but for a missing last line end. Linux leaves LF; Windows LF in a cell.
    void readFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("problem");
        MedicationList list;
        ListSettings settings;
        settings.windowHeight = 7200;
        list.setSettings(settings);
        list.writeHeaderTexts();
        list.setCell(1, MedicationList::NameColumn, u"Warfarin"_s);
        list.setNotes(u"notes"_s);
        const QByteArray crlf = ListFileWriter::encode(list, nullptr).value();
        const QByteArray lf = QByteArray(crlf).replace("\r\n", "\n");
        const QByteArray lfInCell = QByteArray(crlf).replace("Warfarin", "War\nfarin");
        const QString shortBy = u"The file ends after %1 of its 315 lines."_s;
        const QString notText = u"The file holds bytes that are not text."_s;
        // clang-format off
        QTest::newRow("without the last line end") << crlf.chopped(2) << "Warfarin" << "";
        QTest::newRow("without the last line") << firstLines(crlf, 314) << "Warfarin" << shortBy.arg(314);
        QTest::newRow("the window's place alone") << firstLines(crlf, 4) << "" << shortBy.arg(4);
        QTest::newRow("a NUL in the first line") << "\0"_ba + crlf << "Warfarin" << notText;
        QTest::newRow("a control character ending the last line")
            << crlf.chopped(2) + "\x1f\r\n"_ba << "Warfarin" << notText;
        QTest::newRow("a tab in a cell") << QByteArray(crlf).replace("Warfarin", "War\tfarin") << "War\tfarin" << "";
        QTest::newRow("LF") << lf << "Warfarin" << "";
        QTest::newRow("LF on some lines") << QByteArray(lf).replace("Name\n", "Name\r\n") << "Warfarin" << "";
        // Kept as two raw CRs, a save would write "~~", which reads as CR LF.
        QTest::newRow("LF, two CRs inside a line")
            << QByteArray(lf).replace("Warfarin", "War\r\rfarin") << "War\r\nfarin" << "";
        QTest::newRow("LF, cut short") << lf.left(lf.indexOf("Warfarin")) << "" << shortBy.arg(20);
        QTest::newRow("LF inside a cell of a CR LF file") << lfInCell << "War\nfarin" << "";
        // Read by LF, the cell's LF would end a line and shift every cell after it.
        QTest::newRow("LF inside a cell of a CR LF file cut short")
            << firstLines(lfInCell, 314) << "War\nfarin" << shortBy.arg(314);
        // clang-format on
    }
    void readFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        MedicationList list;
        list.setCell(49, MedicationList::NotesColumn, Stale);
        list.setNotes(Stale);
        const ListFileReadResult result = ListFileReader::parse(bytes, list);
        QCOMPARE(result.problem, problem);
        QCOMPARE(result.complete, problem.isEmpty());
        QTEST(list.cell(1, MedicationList::NameColumn), "firstName");
        QCOMPARE(list.settings().windowHeight, 7200.0f);
        QVERIFY(!(list.cell(49, MedicationList::NotesColumn) + list.notes()).contains(Stale));
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
