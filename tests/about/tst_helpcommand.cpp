#include "AddressOpener.h"
#include "FileAssociations.h"
#include "HelpCommand.h"
#include "XdgFileAssociations.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

class Opener : public AddressOpener
{
public:
    bool succeeds = true;
    QStringList opened;
    bool open(const QUrl &address) override
    {
        opened << address.toLocalFile();
        return succeeds;
    }
};

class Associations : public FileAssociations
{
public:
    bool viewer = true;
    bool hasApplicationFor(const QString &) const override { return viewer; }
};

bool writeFile(const QString &path, const QByteArray &content = "ITSF")
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(content) == content.size();
}

} // namespace

class TestHelpCommand : public QObject
{
    Q_OBJECT

private slots:
    // Paths relative to a root holding the program folder "bin" and the
    // installed data folder "share/pillora". Nothing the command does shows
    // a message: it has no way to.
    void opens_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QStringList>("opened");
        const QString chm = "bin/PILLORA.CHM";
        const QString installedChm = "share/pillora/PILLORA.CHM";
        const QString html = "share/pillora/help/index.html";
        QTest::newRow("beside the program") << QStringList{chm} << true << true << QStringList{chm};
        QTest::newRow("installed")
            << QStringList{installedChm, html} << true << true << QStringList{installedChm};
        QTest::newRow("beside the program first")
            << QStringList{installedChm, chm} << true << true << QStringList{chm};
        QTest::newRow("no CHM viewer: the HTML help")
            << QStringList{installedChm, html} << false << true << QStringList{html};
        QTest::newRow("the viewer fails: the HTML help")
            << QStringList{installedChm, html} << true << false << QStringList{installedChm, html};
        QTest::newRow("built without chmcmd") << QStringList{"bin/help/index.html"} << true << true
                                              << QStringList{"bin/help/index.html"};
        QTest::newRow("no CHM viewer, no HTML help")
            << QStringList{installedChm} << false << true << QStringList();
        QTest::newRow("no help at all") << QStringList() << true << true << QStringList();
    }
    void opens()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, viewer);
        QFETCH(bool, opens);
        QFETCH(QStringList, opened);
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.filePath("bin")));
        for (const QString &file : files)
            QVERIFY(writeFile(root.filePath(file)));
        Opener opener;
        opener.succeeds = opens;
        Associations associations;
        associations.viewer = viewer;
        HelpCommand(opener, associations,
                    {root.filePath("bin"), root.filePath("bin/../share/pillora")})
            .run();
        for (QString &file : opened)
            file = root.filePath(file);
        QCOMPARE(opener.opened, opened);
    }

    // xdg-mime's answer, from a desktop with this machine's file types but
    // only the applications of the test.
    void xdgMime_data()
    {
        QTest::addColumn<QByteArray>("mimeinfoCache");
        QTest::addColumn<bool>("viewer");
        QTest::newRow("none") << QByteArray("text/html=browser.desktop;\n") << false;
        QTest::newRow("for the type")
            << QByteArray("application/vnd.ms-htmlhelp=viewer.desktop;\n") << true;
        QTest::newRow("for an older name of the type")
            << QByteArray("application/x-chm=viewer.desktop;\n") << true;
    }
    void xdgMime()
    {
        QFETCH(QByteArray, mimeinfoCache);
        QFETCH(bool, viewer);
        static const QString types = QStandardPaths::locate(
            QStandardPaths::GenericDataLocation, "mime", QStandardPaths::LocateDirectory);
        if (QStandardPaths::findExecutable("xdg-mime").isEmpty())
            QSKIP("xdg-mime is not installed (Debian package xdg-utils)");
        if (types.isEmpty())
            QSKIP("No MIME database is installed (Debian package shared-mime-info)");
        QTemporaryDir desktop;
        QVERIFY(writeFile(desktop.filePath("applications/mimeinfo.cache"),
                          "[MIME Cache]\n" + mimeinfoCache));
        QVERIFY(QFile::link(types, desktop.filePath("mime")));
        for (const char *name :
             {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
              "MATE_DESKTOP_SESSION_ID", "DESKTOP_SESSION", "XDG_MENU_PREFIX"})
            qunsetenv(name);
        for (const char *name :
             {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"})
            qputenv(name, desktop.path().toUtf8());
        const QString help = desktop.filePath("PILLORA.CHM");
        QVERIFY(writeFile(help));
        QCOMPARE(XdgFileAssociations().hasApplicationFor(help), viewer);
    }
};

QTEST_GUILESS_MAIN(TestHelpCommand)
#include "tst_helpcommand.moc"
