#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

const QString AppId = QStringLiteral("org.example.Pillora");

QString runTool(const QString &program, const QStringList &arguments, int *exitCode)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(120000);
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}

// The value of a key in the desktop entry's main group.
QString desktopEntryValue(const QString &path, const QString &key)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines) {
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return {};
}

QString xmlRootElement(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement)
            return xml.name().toString();
    }
    return {};
}

} // namespace

// Installs the build into a temporary prefix, as a packager would, and
// checks that the files land where the freedesktop conventions put them.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid());
        int exitCode = 0;
        const QString output =
            runTool(PILLORA_CMAKE, {"--install", PILLORA_BUILD_DIR, "--prefix", m_prefix.path()},
                    &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
    }

    void installedFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("imageSize");
        QTest::addColumn<QString>("xmlRoot");
        QTest::newRow("program") << "bin/pillora" << QSize() << QString();
        QTest::newRow("desktop entry")
            << "share/applications/" + AppId + ".desktop" << QSize() << QString();
        QTest::newRow("icon 16") << "share/icons/hicolor/16x16/apps/" + AppId + ".png"
                                 << QSize(16, 16) << QString();
        QTest::newRow("icon 48") << "share/icons/hicolor/48x48/apps/" + AppId + ".png"
                                 << QSize(48, 48) << QString();
        QTest::newRow("scalable icon")
            << "share/icons/hicolor/scalable/apps/" + AppId + ".svg" << QSize() << "svg";
        QTest::newRow("metainfo") << "share/metainfo/" + AppId + ".metainfo.xml" << QSize()
                                  << "component";
        QTest::newRow("HTML help") << "share/pillora/help/index.html" << QSize() << QString();
        QTest::newRow("HTML help style") << "share/pillora/help/style.css" << QSize() << QString();
        QTest::newRow("compiled help") << "share/pillora/PILLORA.CHM" << QSize() << QString();
    }
    void installedFiles()
    {
        QFETCH(QString, path);
        QFETCH(QSize, imageSize);
        QFETCH(QString, xmlRoot);
        if (path.endsWith(".CHM") && !PILLORA_HAVE_CHMCMD)
            QSKIP("chmcmd is not installed (Debian package fp-utils): built without PILLORA.CHM");
        const QFileInfo file(m_prefix.filePath(path));
        QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
        if (path.startsWith("bin/"))
            QVERIFY(file.isExecutable());
        if (imageSize.isValid())
            QCOMPARE(QImage(file.filePath()).size(), imageSize);
        if (!xmlRoot.isEmpty())
            QCOMPARE(xmlRootElement(file.filePath()), xmlRoot);
    }

    // The help is where the installed program looks for it, relative to
    // its own folder.
    void helpWhereTheProgramLooks()
    {
        const QDir data(QDir(m_prefix.filePath("bin")).filePath(PILLORA_DATA_FROM_PROGRAM));
        QVERIFY(QFileInfo(data.filePath("help/index.html")).isFile());
    }

    void desktopEntryNamesInstalledFiles()
    {
        const QString entry = m_prefix.filePath("share/applications/" + AppId + ".desktop");
        QVERIFY(QFileInfo(m_prefix.filePath("bin/" + desktopEntryValue(entry, "Exec"))).isFile());
        QCOMPARE(desktopEntryValue(entry, "Icon"), AppId);
    }

    void validators_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("package");
        QTest::newRow("desktop entry")
            << "desktop-file-validate"
            << QStringList{m_prefix.filePath("share/applications/" + AppId + ".desktop")}
            << "desktop-file-utils";
        QTest::newRow("metainfo") << "appstreamcli"
                                  << QStringList{"validate", "--no-net",
                                                 m_prefix.filePath("share/metainfo/" + AppId +
                                                                   ".metainfo.xml")}
                                  << "appstream";
    }
    void validators()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        QFETCH(QString, package);
        const QString program = QStandardPaths::findExecutable(tool);
        if (program.isEmpty())
            QSKIP(qPrintable(tool + " is not installed (Debian package " + package + ")"));
        int exitCode = 0;
        const QString output = runTool(program, arguments, &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
    }

private:
    QTemporaryDir m_prefix;
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
