#include "FailingDevice.h"
#include "ListFileReader.h"
#include "ListFileWriter.h"
#include "MedicationList.h"

#include <QBuffer>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray windowsFile()
{
    QFile file(PILLORA_TEST_DATA "/windows-roundtrip.dat");
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The bytes up to and including the end of line number last.
QByteArray firstLines(const QByteArray &bytes, int last)
{
    qsizetype end = 0;
    for (int line = 0; line < last; ++line)
        end = bytes.indexOf("\r\n", end) + 2;
    return bytes.left(end);
}

ListSettings staleSettings()
{
    ListSettings settings;
    settings.windowLeft = 5;
    settings.bold = true;
    return settings;
}

// Gives the list what any reading would change.
void makeStale(MedicationList &list)
{
    list.setCell(49, MedicationList::NotesColumn, u"stale"_s);
    list.setNotes(u"Aspirin"_s);
    list.setSettings(staleSettings());
}

} // namespace

// The list file's writer and reader where devices fail, files end early or
// never end.
class TestListFile : public QObject
{
    Q_OBJECT

    const QByteArray m_windowsFile = windowsFile();

private slots:
    void initTestCase() { QVERIFY(m_windowsFile.endsWith("\r\n")); }

    // The writer stops at the device's failure and passes its reason on.
    void writeFails_data()
    {
        QTest::addColumn<qint64>("room");
        QTest::addColumn<bool>("written");
        const qint64 size = m_windowsFile.size();
        QTest::newRow("at once") << qint64(0) << false;
        QTest::newRow("midway") << size / 2 << false;
        QTest::newRow("before the last byte") << size - 1 << false;
        QTest::newRow("room for it all") << size << true;
    }
    void writeFails()
    {
        QFETCH(qint64, room);
        QFETCH(bool, written);
        MedicationList list;
        QBuffer source;
        source.setData(m_windowsFile);
        QVERIFY(source.open(QIODevice::ReadOnly) && ListFileReader::read(source, list).complete);
        FailingDevice device(room);
        QString error;
        QCOMPARE(ListFileWriter::write(list, device, &error), written);
        QCOMPARE(error, written ? QString() : FailingDevice::Reason);
        QCOMPARE(device.written, m_windowsFile.left(room));
    }

    // A file that cannot be read to its end changes nothing in the list.
    void readFails_data()
    {
        QTest::addColumn<qint64>("failAfter");
        QTest::newRow("at once") << qint64(0);
        QTest::newRow("in the cells") << qint64(200);
        QTest::newRow("at the last byte") << qint64(m_windowsFile.size() - 1);
    }
    void readFails()
    {
        QFETCH(qint64, failAfter);
        FailingDevice device(failAfter, m_windowsFile);
        MedicationList list;
        makeStale(list);
        const ListFileReadResult result = ListFileReader::read(device, list);
        QVERIFY(!result.readable && !result.complete);
        QCOMPARE(result.problem, FailingDevice::Reason);
        QCOMPARE(list.settings(), staleSettings());
        QCOMPARE(list.cell(49, MedicationList::NotesColumn) + list.notes(), u"staleAspirin"_s);
    }

    // A device that never ends is read up to the reader's limit and no
    // further; only what lies in the first 315 lines counts.
    void endlessDevice_data()
    {
        QTest::addColumn<int>("linesBefore");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QString>("notes");
        QTest::newRow("after a whole file")
            << 315 << true << u"Call Dr. Müller\r\nMon–Fri 8\r12\r\n"_s;
        QTest::newRow("in the first cell") << 14 << false << QString();
    }
    void endlessDevice()
    {
        QFETCH(int, linesBefore);
        QFETCH(bool, complete);
        QFETCH(QString, notes);
        const QByteArray start = firstLines(m_windowsFile, linesBefore);
        FailingDevice device(FailingDevice::Never, start, 'x');
        MedicationList list;
        makeStale(list);
        const ListFileReadResult result = ListFileReader::read(device, list);
        QCOMPARE(device.bytesRead(), ListFileReader::MaxBytes);
        QVERIFY(result.readable);
        QCOMPARE(result.complete, complete);
        QCOMPARE(list.notes(), notes);
        QCOMPARE(list.cell(0, 1).size(), complete ? 4 : ListFileReader::MaxBytes - start.size());
    }

    // Only a missing line end is no loss; a missing line is, even the last.
    // What is there is read, up to the last line.
    void shortFile_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("lastLineEnd");
        QTest::addColumn<QString>("problem");
        QTest::newRow("whole") << 315 << true << QString();
        QTest::newRow("without the last line end") << 315 << false << QString();
        QTest::newRow("without the last line")
            << 314 << true << u"The file ends after 314 of its 315 lines."_s;
        QTest::newRow("without the last line and the line end before")
            << 314 << false << u"The file ends after 314 of its 315 lines."_s;
        QTest::newRow("without the last two lines")
            << 313 << true << u"The file ends after 313 of its 315 lines."_s;
        QTest::newRow("the window's place alone")
            << 4 << false << u"The file ends after 4 of its 315 lines."_s;
    }
    void shortFile()
    {
        QFETCH(int, lines);
        QFETCH(bool, lastLineEnd);
        QFETCH(QString, problem);
        QByteArray bytes = firstLines(m_windowsFile, lines);
        if (!lastLineEnd)
            bytes.chop(2);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        MedicationList list;
        makeStale(list);
        const ListFileReadResult result = ListFileReader::read(buffer, list);
        QVERIFY(result.readable);
        QCOMPARE(result.complete, problem.isEmpty());
        QCOMPARE(result.problem, problem);
        QCOMPARE(list.notes().isEmpty(), lines < 315); // the stale notes never stay
        QCOMPARE(list.settings().windowHeight, 7200);
    }
};

QTEST_GUILESS_MAIN(TestListFile)
#include "tst_listfile.moc"
