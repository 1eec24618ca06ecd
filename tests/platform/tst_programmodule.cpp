#include "ProgramWindow.h"

#include <QDir>
#include <QLibraryInfo>
#include <QTemporaryDir>
#include <QTest>

// The built program and one of its modules laid out as a portable copy and
// as an installed copy, and with the module missing, broken or foreign: the
// window, and the reminder that --notify-due sends.
class TestProgramModule : public QObject
{
    Q_OBJECT

private slots:
    void loads_data()
    {
        QTest::addColumn<bool>("window");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("module");
        // What the program says on stderr; empty when the module did its work.
        QTest::addColumn<QString>("problem");
        const QString qtCore = QLibraryInfo::path(QLibraryInfo::LibrariesPath) + "/libQt6Core.so.6";
        for (const bool window : {true, false}) {
            const QString built = window ? PILLORA_WINDOW_MODULE : PILLORA_REMINDER_MODULE;
            const QString cannot = window ? "Pillora cannot open its window: "
                                          : "pillora: the reminder cannot be sent: ";
            const auto row = [window](const char *name, bool installed, const QString &module,
                                      const QString &problem) {
                QTest::addRow("%s, %s", window ? "window" : "reminder", name)
                    << window << installed << module << problem;
            };
            row("portable copy", false, built, "");
            row("installed copy", true, built, "");
            row("missing, portable", false, "", cannot + "{file} is in neither {bin} nor {lib}.\n");
            row("missing, installed", true, "", cannot + "{file} is in neither {bin} nor {lib}.\n");
            row("does not load", false, "not a library", cannot + "Cannot load library {module}");
            row("another library", false, qtCore, cannot + "{module} is not a part of it.\n");
            row("another version's", true, STAND_IN_MODULE,
                cannot + "{module} belongs to version 0.9.0, not " PILLORA_VERSION ".\n");
        }
    }
    void loads()
    {
        QFETCH(bool, window);
        QFETCH(bool, installed);
        QFETCH(QString, module);
        QFETCH(QString, problem);
        const QTemporaryDir root;
        // An installed copy is one with its data folder beside it.
        const QString bin = root.filePath(installed ? "bin" : "Pillora");
        const QString libraries = QDir::cleanPath(bin + "/" PILLORA_LIBRARY_FROM_PROGRAM);
        const QString fileName = window ? "pillora-window.so" : "pillora-notify.so";
        const QString modulePath = (installed ? libraries : bin) + "/" + fileName;
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(QFileInfo(modulePath).path()));
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
        program.start(bin + "/pillora", window ? QStringList() : QStringList{"--notify-due"});
        if (window && problem.isEmpty()) {
            QVERIFY(ProgramWindow::opens(program, installed ? dataHome + "/Pillora" : bin));
            return;
        }
        QVERIFY(program.waitForFinished());
        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        // Without lists nothing is due, and the reminder ends quietly.
        QCOMPARE(program.exitCode(), problem.isEmpty() ? 0 : 1);
        const QString expected = problem.replace("{file}", fileName)
                                     .replace("{bin}", bin)
                                     .replace("{lib}", libraries)
                                     .replace("{module}", modulePath);
        QVERIFY2(expected.endsWith('\n') || expected.isEmpty() ? said == expected
                                                               : said.startsWith(expected),
                 qPrintable(said));
        // Read only, as every mode but the window.
        QVERIFY(!QDir(dataHome).exists() && !QDir(bin + "/MedFiles").exists());
    }
};

QTEST_GUILESS_MAIN(TestProgramModule)
#include "tst_programmodule.moc"
