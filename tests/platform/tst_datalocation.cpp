#include "DataLocation.h"

#include <QDir>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTest>

// Where a portable or an installed copy keeps its lists is shown where they
// are started: tst_programmodule and tst_install.
class TestDataLocation : public QObject
{
    Q_OBJECT

private slots:
    // The XDG rule: a relative XDG_DATA_HOME counts as none, so the lists
    // never land under whatever folder the program was started from.
    void relativeDataHomeIsIgnored()
    {
        const QByteArray old = qgetenv("XDG_DATA_HOME");
        const auto restore = qScopeGuard([&] { qputenv("XDG_DATA_HOME", old); });
        for (const QString &home :
             {QStringLiteral("./.local/share"), QDir::tempPath() + "/share"}) {
            qputenv("XDG_DATA_HOME", QFile::encodeName(home));
            DataLocation::ignoreRelativeDataHome();
            const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            QVERIFY2(QDir::isAbsolutePath(data), qPrintable(data));
            QCOMPARE(data.startsWith(home + "/"), QDir::isAbsolutePath(home));
        }
    }
};

QTEST_GUILESS_MAIN(TestDataLocation)
#include "tst_datalocation.moc"
