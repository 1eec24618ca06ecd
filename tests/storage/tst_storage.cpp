#include "LineBreaks.h"
#include "ListFileFormat.h"
#include "ListFileWriter.h"
#include "ListStore.h"
#include "MedicationList.h"
#include "TemporaryTrash.h"

#include <QBuffer>
#include <QScopeGuard>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// A file's bytes, or a marker that no list or catalogue could hold.
QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<missing>"_ba;
}

const QByteArray WindowsFile = contentOf(PILLORA_TEST_DATA "/windows-roundtrip.dat");

ListFileReadResult readBytes(QByteArray bytes, MedicationList &list)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return ListFileReader::read(buffer, list);
}

// Nine digits tell every float apart; QCOMPARE would take close ones as equal.
QString exactly(float value)
{
    return QString::number(value, 'g', 9);
}

enum class Obstacle
{
    FullDisk,
    Folder,
    ReadOnlyFolder
};

// While it lives, files of this process cannot grow beyond limit bytes, as
// on a disk that is full, for any user, root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        const rlimit lower{std::min(limit, m_old.rlim_cur), m_old.rlim_max};
        m_set = setrlimit(RLIMIT_FSIZE, &lower) == 0;
        // Writing past the limit fails with EFBIG instead of ending the process.
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }
    bool isSet() const { return m_set; }

private:
    rlimit m_old{};
    bool m_set = false;
    sighandler_t m_oldHandler = nullptr;
};

} // namespace

Q_DECLARE_METATYPE(Obstacle)

class TestStorage : public QObject
{
    Q_OBJECT

    // Lists removed by the tests go to a trash of their own.
    const TemporaryTrash m_trash;
    // Each test's own program folder, with its data folder made.
    std::optional<QTemporaryDir> m_program;
    DataFolder m_folder{QString()};

private slots:
    void init()
    {
        m_program.emplace();
        m_folder = DataFolder(m_program->path());
        QVERIFY(m_folder.EnsureDataFolder());
    }

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

    void refusesWhatTheCodePageLacks()
    {
        MedicationList list;
        list.setCell(3, MedicationList::NameColumn, u"Ωmega-3"_s);
        QString reason;
        QVERIFY(!ListFileWriter::encode(list, &reason));
        QCOMPARE(reason, u"The Name in row 3 holds \"Ω\", a character that a list file cannot "
                         "store."_s);
    }

    void windowsFileComesBackByteForByte()
    {
        MedicationList list;
        QVERIFY(readBytes(WindowsFile, list).complete);
        QCOMPARE(ListFileWriter::encode(list, nullptr).value_or("<refused>"), WindowsFile);
        QCOMPARE(list.notes(), u"Call Dr. Müller\r\nMon–Fri 8\r12\r\n"_s);
    }

    // A window number as Visual Basic or a hand wrote it, the float it reads
    // as, and the line written for that float, which reads back as the same.
    void windowNumbers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("written");
        // clang-format off
        QTest::newRow("below one")        << "-.5 "           << -0.5f         << "-.5 ";
        QTest::newRow("no short decimal") << " .1 "           << 0.1f          << " .1 ";
        QTest::newRow("ten million")      << " 1E+07 "        << 1e7f          << " 1E+07 ";
        QTest::newRow("small fraction")   << " .00001 "       << 1e-5f         << " 1E-05 ";
        QTest::newRow("seven digits")     << " 1.234568E+07 " << 12345680.0f   << " 12345680 ";
        QTest::newRow("largest float")    << "3.4028235E38"   << 3.4028235e38f << " 3.4028235E+38 ";
        QTest::newRow("beyond a float")   << "1E+39"          << 0.0f          << " 0 ";
        // clang-format on
    }
    void windowNumbers()
    {
        QFETCH(QString, line);
        QFETCH(float, value);
        QFETCH(QString, written);
        QCOMPARE(exactly(ListFileFormat::leadingNumber(line)), exactly(value));
        QCOMPARE(ListFileFormat::formatNumber(value), written);
        QCOMPARE(exactly(ListFileFormat::leadingNumber(written)), exactly(value));
    }

    // Read as far as it goes, the rest taken as empty, and the caller warned.
    void damagedFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("headers");
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("ends in the header row")
            << WindowsFile.left(WindowsFile.indexOf("Instructions")) << "NameDosage";
        QTest::newRow("NUL bytes in a cell") << contentOf(PILLORA_TEST_DATA "/nul-bytes.dat")
                                             << MedicationList::headerTexts().join("");
        QTest::newRow("random bytes") << contentOf(PILLORA_TEST_DATA "/binary.dat").left(200) << "";
    }
    void damagedFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, headers);
        MedicationList list;
        readBytes(WindowsFile, list); // stale texts would show in its last cell and notes
        const ListFileReadResult result = readBytes(bytes, list);
        QVERIFY(result.readable && !result.complete && !result.problem.isEmpty());
        QCOMPARE(list.cell(49, 6) + list.notes(), QString());
        QString read;
        for (int column = 1; column <= 6; ++column)
            read += list.cell(0, column);
        QCOMPARE(read, headers);
    }

    // A control character other than tab and the line breaks anywhere in
    // the lines read marks the file as not text; what follows the last line
    // is not read, and not judged.
    void controlCharacters_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("complete");
        const QByteArray lastLine = WindowsFile.chopped(2);
        QTest::newRow("none") << WindowsFile << true;
        QTest::newRow("first of the first line") << "\x01"_ba + WindowsFile << false;
        QTest::newRow("last of the last line") << lastLine + "\x1f\r\n"_ba << false;
        QTest::newRow("last of the file, no line end") << lastLine + "\x00"_ba << false;
        QTest::newRow("after the last line") << WindowsFile + "\x00\x01"_ba << true;
        QTest::newRow("a tab ending the last line") << lastLine + "\t\r\n"_ba << true;
    }
    void controlCharacters()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, complete);
        MedicationList list;
        QCOMPARE(readBytes(bytes, list).complete, complete);
    }

    // Lines already there are kept byte for byte, however they end; a name
    // the file could not give back as it was is refused and changes nothing.
    void catalogue_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("no catalogue yet")
            << QByteArray() << u"José"_s << "Jos\xe9\r\n"_ba << QStringList{"José"};
        QTest::newRow("CR LF, lone CR") << "Mum\r\nDad\r"_ba << u"Eve"_s << "Mum\r\nDad\rEve\r\n"_ba
                                        << QStringList{"Mum", "Dad", "Eve"};
        // Edited by hand: without this every Delete failed on a name holding LF.
        QTest::newRow("LF only") << "Mum\n\n Dad \n"_ba << u"Eve"_s << "Mum\n\n Dad \nEve\r\n"_ba
                                 << QStringList{"Mum", "", " Dad ", "Eve"};
        QTest::newRow("no line end")
            << "Mum"_ba << u"Dad"_s << "Mum\r\nDad\r\n"_ba << QStringList{"Mum", "Dad"};
        QTest::newRow("emoji refused")
            << "Mum\r\n"_ba << u"Dad 😀"_s << "Mum\r\n"_ba << QStringList{"Mum"};
        QTest::newRow("line break refused")
            << "Mum\r\n"_ba << u"a\r\nb"_s << "Mum\r\n"_ba << QStringList{"Mum"};
    }
    void catalogue()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, added);
        QFETCH(QByteArray, after);
        QFETCH(QStringList, names);
        const Catalogue catalogue = m_folder.catalogue();
        QVERIFY(before.isNull() || SaveFile::save(catalogue.filePath(), before));
        const SaveResult result = catalogue.append(added);
        QCOMPARE(result.error.isEmpty(), result.ok);
        QCOMPARE(contentOf(catalogue.filePath()), after);
        QCOMPARE(catalogue.read(), names);
    }

    // A catalogue edited by hand may name anything; no name may lead the
    // store out of its folder or onto a file the program keeps for itself.
    void listNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("spaces and dots") << u" Aunt May. "_s << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("parent folder") << u"../x"_s << false;
        QTest::newRow("backslash") << u"..\\x"_s << false;
        QTest::newRow("NUL") << u"a\0b"_s << false;
        QTest::newRow("the catalogue in another case") << u"medLISTS"_s << false;
        QTest::newRow("the catalogue with a suffix") << u"MedLists2"_s << true;
    }
    void listNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QVERIFY(SaveFile::save(m_program->filePath(u"x.dat"_s), "not a list"));
        const ListStore store(m_folder);
        MedicationList list;
        list.setCurrentListName(name);
        list.setChangesMade(true);
        QCOMPARE(bool(store.save(list)), accepted);
        QCOMPARE(list.ChangesMade(), !accepted);
        QCOMPARE(store.load(name, list).outcome == ListStore::LoadResult::Outcome::Read, accepted);
        QVERIFY(store.remove(name, 0));
        QCOMPARE(contentOf(m_program->filePath(u"x.dat"_s)), "not a list"_ba);
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList());
    }

    // A full disk and a folder in the file's place stop a save for any user,
    // root too; a read-only folder where the rights allow. The list is still
    // to be saved, and the folder holds what it held.
    void failedSaveKeepsWhatWasThere_data()
    {
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<int>("notesLength");
        // A file smaller than the write buffer reaches the disk on the last
        // flush, where closing alone would not notice the failure.
        QTest::newRow("disk full on the last flush") << Obstacle::FullDisk << 0;
        QTest::newRow("disk full while writing") << Obstacle::FullDisk << 40000;
        QTest::newRow("a folder where the file should be") << Obstacle::Folder << 0;
        QTest::newRow("read-only data folder") << Obstacle::ReadOnlyFolder << 0;
    }
    void failedSaveKeepsWhatWasThere()
    {
        QFETCH(Obstacle, obstacle);
        QFETCH(int, notesLength);
        const QString folder = m_folder.path();
        const QString file = folder + u"/Kim.dat"_s;
        const auto restore = qScopeGuard([&] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        QVERIFY(SaveFile::save(file, "old"));
        if (obstacle == Obstacle::Folder)
            QVERIFY(QFile::remove(file) && QDir().mkdir(file));
        if (obstacle == Obstacle::ReadOnlyFolder &&
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner) &&
            QFileInfo(folder).isWritable())
            QSKIP("Running as root, which writes into a read-only folder.");
        const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
        const QStringList entries = QDir(folder).entryList(all);
        const QByteArray old = contentOf(file);
        MedicationList list;
        list.setCurrentListName(u"Kim"_s);
        list.setNotes(QString(notesLength, u'x'));
        list.setChangesMade(true);
        SaveResult result;
        {
            const FileSizeLimit disk(obstacle == Obstacle::FullDisk ? 512 : RLIM_INFINITY);
            QVERIFY(disk.isSet());
            result = ListStore(m_folder).save(list);
        }
        QVERIFY(!result && !result.error.isEmpty());
        QVERIFY2(!result.error.contains(u"Unknown error"_s), qPrintable(result.error));
        QVERIFY(list.ChangesMade());
        QCOMPARE(QDir(folder).entryList(all), entries);
        QCOMPARE(contentOf(file), old);
    }

    // Where there is no trash, the file goes for good; the working folder,
    // where Qt would make a trash of its own, stays empty.
    void deletedListGoesToTheTrash_data()
    {
        QTest::addColumn<bool>("trash");
        QTest::addColumn<QStringList>("trashed");
        QTest::newRow("a desktop with a trash") << true << QStringList{"Kim.dat"};
        QTest::newRow("no trash") << false << QStringList();
    }
    void deletedListGoesToTheTrash()
    {
        QFETCH(bool, trash);
        QFETCH(QStringList, trashed);
        const TemporaryTrash desktop(trash);
        const ListStore store(m_folder);
        QVERIFY(store.create(u"Kim"_s) && store.create(u"Lee"_s));
        MedicationList list;
        list.setCurrentListName(u"Kim"_s);
        QVERIFY(store.save(list) && store.remove(u"Kim"_s, 0));
        QCOMPARE(contentOf(m_folder.cataloguePath()), "Lee\r\n"_ba);
        QCOMPARE(QDir(m_folder.path()).entryList(QDir::Files), QStringList{"MedLists.dat"});
        QCOMPARE(QDir(desktop.filesFolder()).entryList(QDir::Files), trashed);
        QCOMPARE(QDir(desktop.workingFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
        // The last list gone leaves an empty catalogue, not none.
        QVERIFY(store.remove(u"Lee"_s, 0));
        QCOMPARE(contentOf(m_folder.cataloguePath()), ""_ba);
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
