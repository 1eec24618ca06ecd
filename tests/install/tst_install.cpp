#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Installs the build into a temporary prefix, as a packager would, and
// checks that the files land where the freedesktop conventions put them.
class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QProcess::execute(PILLORA_CMAKE,
                                   {"--install", PILLORA_BUILD_DIR, "--prefix", m_prefix.path()}),
                 0);
    }

    // The help where the installed program looks for it; the validator that
    // a file must pass, when it is installed.
    void installedFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("validator");
        const QString icons = "share/icons/hicolor/%1/apps/org.example.Pillora.%2";
        const QString help = "bin/" PILLORA_DATA_FROM_PROGRAM "/";
        QTest::newRow("program") << "bin/pillora" << QStringList();
        QTest::newRow("desktop entry") << "share/applications/org.example.Pillora.desktop"
                                       << QStringList{"desktop-file-validate"};
        QTest::newRow("refill reminder at login")
            << "etc/xdg/autostart/org.example.Pillora-notify-due.desktop"
            << QStringList{"desktop-file-validate"};
        QTest::newRow("metainfo") << "share/metainfo/org.example.Pillora.metainfo.xml"
                                  << QStringList{"appstreamcli", "validate", "--no-net"};
        QTest::newRow("icon 16") << icons.arg("16x16", "png") << QStringList();
        QTest::newRow("icon 48") << icons.arg("48x48", "png") << QStringList();
        QTest::newRow("scalable icon") << icons.arg("scalable", "svg") << QStringList();
        QTest::newRow("HTML help") << help + "help/index.html" << QStringList();
        // Built only with chmcmd (Debian package fp-utils); the HTML help stands in.
        if (PILLORA_HAVE_CHMCMD)
            QTest::newRow("compiled help") << help + "PILLORA.CHM" << QStringList();
    }
    void installedFiles()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, validator);
        const QFileInfo file(m_prefix.filePath(path));
        QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
        if (!validator.isEmpty()) {
            const QString tool = QStandardPaths::findExecutable(validator.takeFirst());
            if (tool.isEmpty())
                QSKIP("The validator is not installed (desktop-file-utils, appstream).");
            QCOMPARE(QProcess::execute(tool, validator << file.filePath()), 0);
        }
    }

private:
    QTemporaryDir m_prefix;
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
