#include "ProgramWindow.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// Installs the build into a temporary prefix, as a packager would, and
// checks that the files land where the freedesktop conventions put them.
// lintian, in scripts/test, checks the copyright, changelog and manual page,
// and the icons' sizes against their folders.
class TestInstall : public QObject
{
    Q_OBJECT

    QTemporaryDir m_prefix;

private slots:
    void initTestCase()
    {
        QCOMPARE(QProcess::execute(PILLORA_CMAKE,
                                   {"--install", PILLORA_BUILD_DIR, "--prefix", m_prefix.path()}),
                 0);
    }

    // Desktop entries and the metainfo must pass their validators, when
    // those are installed; the help lies where the installed program looks.
    void installedFiles_data()
    {
        QTest::addColumn<QString>("path");
        const QString help = "bin/" PILLORA_DATA_FROM_PROGRAM "/";
        QStringList paths{"share/applications/org.example.Pillora.desktop",
                          "etc/xdg/autostart/org.example.Pillora-notify-due.desktop",
                          "share/metainfo/org.example.Pillora.metainfo.xml",
                          "share/icons/hicolor/scalable/apps/org.example.Pillora.svg",
                          help + "help/index.html",
                          "bin/" PILLORA_LIBRARY_FROM_PROGRAM "/pillora-notify.so"};
        for (int size : {16, 32, 48, 64, 128, 256})
            paths << QString("share/icons/hicolor/%1x%1/apps/org.example.Pillora.png").arg(size);
        // Built only with chmcmd (Debian package fp-utils); the HTML help stands in.
        if (PILLORA_HAVE_CHMCMD)
            paths << help + "PILLORA.CHM";
        for (const QString &path : paths)
            QTest::newRow(qPrintable(path)) << QDir::cleanPath(path);
    }
    void installedFiles()
    {
        QFETCH(QString, path);
        const QFileInfo file(m_prefix.filePath(path));
        QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
        QStringList validator;
        if (path.endsWith(".desktop"))
            validator = {"desktop-file-validate"};
        else if (path.endsWith(".xml"))
            validator = {"appstreamcli", "validate", "--no-net"};
        if (!validator.isEmpty()) {
            const QString tool = QStandardPaths::findExecutable(validator.takeFirst());
            if (tool.isEmpty())
                QSKIP("The validator is not installed (desktop-file-utils, appstream).");
            QCOMPARE(QProcess::execute(tool, validator << file.filePath()), 0);
        }
    }

    // The installed program finds its window's module from where it is, and
    // keeps its lists in the user's data folder.
    void installedProgramOpensItsWindow()
    {
        const QTemporaryDir dataHome;
        QProcess program;
        program.setProcessEnvironment(ProgramWindow::offscreen(dataHome.path()));
        program.start(m_prefix.filePath("bin/pillora"));
        QVERIFY(ProgramWindow::opens(program, dataHome.path() + "/Pillora"));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
