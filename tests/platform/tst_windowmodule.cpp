#include "ProgramWindow.h"

#include <QDir>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>

// The built program and its window's module laid out as a portable copy and
// as an installed copy, and with the module missing, broken or foreign.
class TestWindowModule : public QObject
{
    Q_OBJECT

private slots:
    void opensTheWindow_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("module");
        // What the program says on stderr; empty when the window opens.
        QTest::addColumn<QString>("problem");
        const QString built = PILLORA_WINDOW_MODULE;
        const QString cannot = "Pillora cannot open its window: ";
        QTest::newRow("portable copy") << false << built << "";
        QTest::newRow("installed copy") << true << built << "";
        QTest::newRow("no module, portable")
            << false << "" << cannot + "pillora-window.so is in neither {bin} nor {lib}.\n";
        QTest::newRow("no module, installed")
            << true << "" << cannot + "pillora-window.so is in neither {bin} nor {lib}.\n";
        QTest::newRow("a module that does not load")
            << false << "not a library" << cannot + "Cannot load library {module}";
        QTest::newRow("another library")
            << false << QLibraryInfo::path(QLibraryInfo::LibrariesPath) + "/libQt6Core.so.6"
            << cannot + "{module} is not its window.\n";
        QTest::newRow("another version's window")
            << true << STAND_IN_WINDOW_MODULE
            << cannot + "{module} belongs to version 0.9.0, not " PILLORA_VERSION ".\n";
    }
    void opensTheWindow()
    {
        QFETCH(bool, installed);
        QFETCH(QString, module);
        QFETCH(QString, problem);
        const QTemporaryDir root;
        // An installed copy is one with its data folder beside it.
        const QString bin = root.filePath(installed ? "bin" : "Pillora");
        const QString libraries = QDir::cleanPath(bin + "/" PILLORA_LIBRARY_FROM_PROGRAM);
        const QString moduleFolder = installed ? libraries : bin;
        const QString modulePath = moduleFolder + "/pillora-window.so";
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(moduleFolder));
        QVERIFY(!installed || QDir().mkpath(bin + "/" PILLORA_DATA_FROM_PROGRAM));
        QVERIFY(QFile::copy(PILLORA_PROGRAM, bin + "/pillora"));
        if (QFileInfo(module).isAbsolute()) {
            QVERIFY(QFile::copy(module, modulePath));
        } else if (!module.isEmpty()) {
            QFile file(modulePath);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(module.toUtf8()) > 0);
        }

        const QString dataHome = root.filePath("data");
        QProcess program;
        program.setProcessEnvironment(ProgramWindow::offscreen(dataHome));
        program.start(bin + "/pillora");
        if (problem.isEmpty()) {
            QVERIFY(ProgramWindow::opens(program, installed ? dataHome + "/Pillora" : bin));
            return;
        }
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        const QString expected = problem.replace("{bin}", bin)
                                     .replace("{lib}", libraries)
                                     .replace("{module}", modulePath);
        QVERIFY2(expected.endsWith('\n') ? said == expected : said.startsWith(expected),
                 qPrintable(said));
        QVERIFY(!QDir(dataHome).exists() && !QDir(bin + "/MedFiles").exists());
    }
};

QTEST_GUILESS_MAIN(TestWindowModule)
#include "tst_windowmodule.moc"
