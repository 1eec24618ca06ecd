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

void writeFile(const QString &path, const QByteArray &content = "ITSF")
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("Cannot write %s", qPrintable(path));
}

} // namespace

class TestHelpCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_mimeDatabase = QStandardPaths::locate(QStandardPaths::GenericDataLocation, "mime",
                                                QStandardPaths::LocateDirectory);
    }

    // Files given relative to a temporary root holding the program folder
    // "bin" and the installed data folder "share/pillora".
    void opens_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QStringList>("opened");
        const QString chm = "bin/PILLORA.CHM";
        const QString installedChm = "share/pillora/PILLORA.CHM";
        const QString installedHtml = "share/pillora/help/index.html";
        QTest::newRow("beside the program") << QStringList{chm} << true << true << QStringList{chm};
        QTest::newRow("installed") << QStringList{installedChm, installedHtml} << true << true
                                   << QStringList{installedChm};
        QTest::newRow("beside the program first")
            << QStringList{installedChm, chm} << true << true << QStringList{chm};
        QTest::newRow("no CHM viewer: the HTML help")
            << QStringList{installedChm, installedHtml} << false << true
            << QStringList{installedHtml};
        QTest::newRow("the viewer fails: the HTML help")
            << QStringList{installedChm, installedHtml} << true << false
            << QStringList{installedChm, installedHtml};
        QTest::newRow("built without a CHM") << QStringList{"bin/help/index.html"} << true << true
                                             << QStringList{"bin/help/index.html"};
        QTest::newRow("no CHM viewer, no HTML help")
            << QStringList{installedChm} << false << true << QStringList();
        QTest::newRow("no help at all") << QStringList() << true << true << QStringList();
        QTest::newRow("a folder named like the help")
            << QStringList{"bin/PILLORA.CHM/x"} << true << true << QStringList();
    }
    void opens()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, viewer);
        QFETCH(bool, opens);
        QFETCH(QStringList, opened);
        QTemporaryDir root;
        QDir().mkpath(root.filePath("bin"));
        for (const QString &file : files)
            writeFile(root.filePath(file));
        Opener opener;
        opener.succeeds = opens;
        Associations associations;
        associations.viewer = viewer;
        HelpCommand(opener, associations,
                    {root.filePath("bin"), root.filePath("bin/../share/pillora")})
            .run();
        QStringList expected;
        for (const QString &file : opened)
            expected << QDir::cleanPath(root.filePath(file));
        QCOMPARE(opener.opened, expected);
    }

    // The desktop's answer as xdg-mime gives it, from a desktop database of
    // the test's own.
    void xdgMime_data()
    {
        QTest::addColumn<QByteArray>("mimeinfoCache");
        QTest::addColumn<bool>("viewer");
        QTest::newRow("none") << QByteArray("[MIME Cache]\ntext/html=browser.desktop;\n") << false;
        QTest::newRow("for the type")
            << QByteArray("[MIME Cache]\napplication/vnd.ms-htmlhelp=viewer.desktop;\n") << true;
        QTest::newRow("for an older name of the type")
            << QByteArray("[MIME Cache]\napplication/x-chm=viewer.desktop;\n") << true;
    }
    void xdgMime()
    {
        QFETCH(QByteArray, mimeinfoCache);
        QFETCH(bool, viewer);
        if (QStandardPaths::findExecutable("xdg-mime").isEmpty())
            QSKIP("xdg-mime is not installed (Debian package xdg-utils)");
        if (m_mimeDatabase.isEmpty())
            QSKIP("No MIME database is installed (Debian package shared-mime-info)");
        // The file types of this machine, but none of its applications.
        QTemporaryDir desktop;
        QDir().mkpath(desktop.filePath("data"));
        QVERIFY(QFile::link(m_mimeDatabase, desktop.filePath("data/mime")));
        writeFile(desktop.filePath("data/applications/mimeinfo.cache"), mimeinfoCache);
        writeFile(desktop.filePath("data/applications/viewer.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\n");
        QDir().mkpath(desktop.filePath("config"));
        for (const char *name :
             {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
              "MATE_DESKTOP_SESSION_ID", "DESKTOP_SESSION", "XDG_MENU_PREFIX"})
            qunsetenv(name);
        qputenv("XDG_CONFIG_HOME", desktop.filePath("config").toUtf8());
        qputenv("XDG_CONFIG_DIRS", desktop.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", desktop.filePath("data").toUtf8());
        qputenv("XDG_DATA_DIRS", desktop.filePath("data").toUtf8());
        const QString help = desktop.filePath("PILLORA.CHM");
        writeFile(help);
        QCOMPARE(XdgFileAssociations().hasApplicationFor(help), viewer);
    }

private:
    QString m_mimeDatabase;
};

QTEST_GUILESS_MAIN(TestHelpCommand)
#include "tst_helpcommand.moc"
