#include "Catalogue.h"
#include "DataFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("Cannot write %s", qPrintable(path));
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("CR LF") << QByteArray("Mum\r\nDad\r\n") << QStringList{"Mum", "Dad"};
        QTest::newRow("lone CR") << QByteArray("Mum\rDad\r") << QStringList{"Mum", "Dad"};
        QTest::newRow("empty line is an empty name")
            << QByteArray("Mum\r\n\r\nDad\r\n") << QStringList{"Mum", "", "Dad"};
        QTest::newRow("spaces kept") << QByteArray(" Aunt  May \r\n") << QStringList{" Aunt  May "};
        QTest::newRow("last line without CR LF")
            << QByteArray("Mum\r\nDad") << QStringList{"Mum", "Dad"};
        QTest::newRow("LF inside a name") << QByteArray("a\nb\r\n") << QStringList{"a\nb"};
        QTest::newRow("windows-1252")
            << QByteArray("Jos\xe9\r\n\x80\r\n") << QStringList{"José", "€"};
    }
    void parse()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, names);
        QCOMPARE(Catalogue::parse(bytes), names);
    }

    void orderAfterAppendAndRewrite()
    {
        QTemporaryDir dir;
        const Catalogue catalogue(dir.filePath(QStringLiteral("MedLists.dat")));
        for (const QString &name : QStringList{"Mum", "Dad", "Aunt May", "José"})
            QVERIFY(catalogue.append(name));
        QCOMPARE(contentOf(catalogue.filePath()),
                 QByteArray("Mum\r\nDad\r\nAunt May\r\nJos\xe9\r\n"));

        QVERIFY(catalogue.rewrite({"Mum", "Aunt May", "José"}));
        QCOMPARE(contentOf(catalogue.filePath()), QByteArray("Mum\r\nAunt May\r\nJos\xe9\r\n"));

        QVERIFY(catalogue.rewrite({}));
        QVERIFY(catalogue.exists());
        QCOMPARE(contentOf(catalogue.filePath()), QByteArray());
    }

    // The lines already there are kept byte for byte; a name the file could
    // not give back as it was is refused and changes nothing.
    void append_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty file") << QByteArray() << "Dad" << QByteArray("Dad\r\n");
        QTest::newRow("CR LF at end")
            << QByteArray("Mum\r\n") << "Dad" << QByteArray("Mum\r\nDad\r\n");
        QTest::newRow("lone CR at end")
            << QByteArray("Mum\r") << "Dad" << QByteArray("Mum\rDad\r\n");
        QTest::newRow("no line end") << QByteArray("Mum") << "Dad" << QByteArray("Mum\r\nDad\r\n");
        QTest::newRow("Greek refused") << QByteArray("Mum\r\n") << "Ωmega" << QByteArray("Mum\r\n");
        QTest::newRow("emoji refused") << QByteArray("Mum\r\n") << "Dad 😀" << QByteArray("Mum\r\n");
        QTest::newRow("line break refused")
            << QByteArray("Mum\r\n") << "a\r\nb" << QByteArray("Mum\r\n");
    }
    void append()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, name);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const Catalogue catalogue(dir.filePath(QStringLiteral("MedLists.dat")));
        writeBytes(catalogue.filePath(), before);
        const SaveResult result = catalogue.append(name);
        QCOMPARE(result.ok, before != after);
        QCOMPARE(result.error.isEmpty(), result.ok);
        QCOMPARE(contentOf(catalogue.filePath()), after);
    }

    void listFilePath_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("plain") << "Mum" << true;
        QTest::newRow("spaces and dots") << " Aunt May. " << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("parent") << "../x" << false;
        QTest::newRow("backslash") << "..\\x" << false;
        QTest::newRow("NUL") << QString::fromUtf16(u"a\0b", 3) << false;
        QTest::newRow("tab") << "a\tb" << false;
        QTest::newRow("DEL") << "a\x7f" << false;
        QTest::newRow("C1 control") << "a\u0085" << false;
    }
    void listFilePath()
    {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        const DataFolder folder(QStringLiteral("program"));
        QString refusal;
        const std::optional<QString> path = folder.listFilePath(name, &refusal);
        QCOMPARE(path.has_value(), accepted);
        QCOMPARE(refusal.isEmpty(), accepted);
        if (accepted)
            QCOMPARE(*path, QStringLiteral("program/MedFiles/%1.dat").arg(name));
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
