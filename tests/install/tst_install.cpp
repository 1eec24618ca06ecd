#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString AppId = QStringLiteral("org.example.Pillora");

// Empty when the tool succeeded, else what it said.
QString failureOf(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit &&
        process.exitCode() == 0)
        return {};
    return program + ": " + QString::fromLocal8Bit(process.readAll()) + process.errorString();
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
        const QString failure =
            failureOf(PILLORA_CMAKE, {"--install", PILLORA_BUILD_DIR, "--prefix", m_prefix.path()});
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void installedFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QSize>("imageSize");
        QTest::newRow("program") << "bin/pillora" << QSize();
        QTest::newRow("desktop entry") << "share/applications/" + AppId + ".desktop" << QSize();
        QTest::newRow("icon 16") << "share/icons/hicolor/16x16/apps/" + AppId + ".png"
                                 << QSize(16, 16);
        QTest::newRow("icon 48") << "share/icons/hicolor/48x48/apps/" + AppId + ".png"
                                 << QSize(48, 48);
        QTest::newRow("scalable icon")
            << "share/icons/hicolor/scalable/apps/" + AppId + ".svg" << QSize();
        QTest::newRow("metainfo") << "share/metainfo/" + AppId + ".metainfo.xml" << QSize();
        QTest::newRow("HTML help") << "share/pillora/help/index.html" << QSize();
        QTest::newRow("compiled help") << "share/pillora/PILLORA.CHM" << QSize();
    }
    void installedFiles()
    {
        QFETCH(QString, path);
        QFETCH(QSize, imageSize);
        if (path.endsWith(".CHM") && !PILLORA_HAVE_CHMCMD)
            QSKIP("chmcmd is not installed (Debian package fp-utils): built without PILLORA.CHM");
        const QFileInfo file(m_prefix.filePath(path));
        QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
        if (imageSize.isValid())
            QCOMPARE(QImage(file.filePath()).size(), imageSize);
    }

    // The installed program finds its help and the menu finds the program.
    void partsFindEachOther()
    {
        const QDir program(m_prefix.filePath("bin"));
        QVERIFY(QFileInfo(program.filePath(PILLORA_DATA_FROM_PROGRAM "/help/index.html")).isFile());
        QSettings entry(m_prefix.filePath("share/applications/" + AppId + ".desktop"),
                        QSettings::IniFormat);
        QVERIFY(QFileInfo(program.filePath(entry.value("Desktop Entry/Exec").toString()))
                    .isExecutable());
        QCOMPARE(entry.value("Desktop Entry/Icon").toString(), AppId);
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
        const QString failure = failureOf(program, arguments);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

private:
    QTemporaryDir m_prefix;
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
