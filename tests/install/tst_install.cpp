#include "ProgramWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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
        for (const char *module : {"pillora-window.so", "pillora-notify.so"}) {
            QTest::newRow(module) << QDir::cleanPath("bin/" PILLORA_LIBRARY_FROM_PROGRAM "/" +
                                                     QString::fromLatin1(module))
                                  << QStringList();
        }
        QTest::newRow("desktop entry") << "share/applications/org.example.Pillora.desktop"
                                       << QStringList{"desktop-file-validate"};
        QTest::newRow("refill reminder at login")
            << "etc/xdg/autostart/org.example.Pillora-notify-due.desktop"
            << QStringList{"desktop-file-validate"};
        QTest::newRow("metainfo") << "share/metainfo/org.example.Pillora.metainfo.xml"
                                  << QStringList{"appstreamcli", "validate", "--no-net"};
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString pixels = QStringLiteral("%1x%1").arg(size);
            QTest::addRow("icon %d", size) << icons.arg(pixels, "png") << QStringList();
        }
        QTest::newRow("scalable icon") << icons.arg("scalable", "svg") << QStringList();
        QTest::newRow("manual page") << "share/man/man1/pillora.1.gz" << QStringList();
        QTest::newRow("copyright") << "share/doc/pillora/copyright" << QStringList();
        QTest::newRow("changelog") << "share/doc/pillora/changelog.gz" << QStringList();
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
        // A PNG's header gives its width and height; its folder names them.
        if (path.endsWith(".png")) {
            QFile png(file.filePath());
            QVERIFY(png.open(QIODevice::ReadOnly));
            const QByteArray header = png.read(24);
            QCOMPARE(QStringLiteral("%1x%2")
                         .arg(qFromBigEndian<quint32>(header.constData() + 16))
                         .arg(qFromBigEndian<quint32>(header.constData() + 20)),
                     path.section('/', -3, -3));
        }
        if (!validator.isEmpty()) {
            const QString tool = QStandardPaths::findExecutable(validator.takeFirst());
            if (tool.isEmpty())
                QSKIP("The validator is not installed (desktop-file-utils, appstream).");
            QCOMPARE(QProcess::execute(tool, validator << file.filePath()), 0);
        }
    }

    // The installed program finds its window's module from where it is.
    void installedProgramOpensItsWindow()
    {
        const QTemporaryDir dataHome;
        QProcess program;
        program.setProcessEnvironment(ProgramWindow::offscreen(dataHome.path()));
        program.start(m_prefix.filePath("bin/pillora"));
        QVERIFY(ProgramWindow::opens(program, dataHome.path() + "/Pillora"));
    }

private:
    QTemporaryDir m_prefix;
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
