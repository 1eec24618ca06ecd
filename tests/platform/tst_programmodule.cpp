#include "ProgramWindow.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

// The built program with one of its modules laid out as a portable copy, or
// as an installed copy (with its data folder beside it): found and working,
// missing, broken or foreign. Both modules are found and checked alike.
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
        // clang-format off
        QTest::newRow("window, portable copy") << true << false << PILLORA_WINDOW_MODULE << "";
        QTest::newRow("window, missing") << true << true << ""
            << "Pillora cannot open its window: pillora-window.so is in neither {bin} nor {lib}.\n";
        // Without lists nothing is due, and the reminder ends quietly.
        QTest::newRow("reminder, installed copy") << false << true << PILLORA_REMINDER_MODULE << "";
        QTest::newRow("reminder, does not load") << false << false << "not a library"
            << "pillora: the reminder cannot be sent: Cannot load library {module}";
        QTest::newRow("reminder, another version's") << false << true << STAND_IN_MODULE
            << "pillora: the reminder cannot be sent: {module} belongs to version 0.9.0, not "
               PILLORA_VERSION ".\n";
        // clang-format on
    }
    void loads()
    {
        QFETCH(bool, window);
        QFETCH(bool, installed);
        QFETCH(QString, module);
        QFETCH(QString, problem);
        const QTemporaryDir root;
        const QString bin = root.filePath(installed ? "bin" : "Pillora");
        const QString libraries = QDir::cleanPath(bin + "/" PILLORA_LIBRARY_FROM_PROGRAM);
        const QString modulePath =
            (installed ? libraries : bin) + (window ? "/pillora-window.so" : "/pillora-notify.so");
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(libraries));
        QVERIFY(!installed || QDir().mkpath(bin + "/" PILLORA_DATA_FROM_PROGRAM));
        QVERIFY(QFile::copy(PILLORA_PROGRAM, bin + "/pillora"));
        QFile file(modulePath);
        if (QFileInfo(module).isAbsolute())
            QVERIFY(QFile::copy(module, modulePath));
        else if (!module.isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(module.toUtf8()) > 0);
        file.close();

        const QString dataHome = root.filePath("data");
        QProcess program;
        program.setProcessEnvironment(ProgramWindow::offscreen(dataHome));
        program.start(bin + "/pillora", window ? QStringList() : QStringList{"--notify-due"});
        if (window && problem.isEmpty()) {
            QVERIFY(ProgramWindow::opens(program, bin));
            return;
        }
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitCode(), problem.isEmpty() ? 0 : 1);
        const QString said = QString::fromLocal8Bit(program.readAllStandardError());
        problem.replace("{bin}", bin).replace("{lib}", libraries).replace("{module}", modulePath);
        QVERIFY2(problem.isEmpty() ? said.isEmpty() : said.startsWith(problem), qPrintable(said));
        // Read only, as every mode but the window.
        QVERIFY(!QDir(dataHome).exists() && !QDir(bin + "/MedFiles").exists());
    }
};

QTEST_GUILESS_MAIN(TestProgramModule)
#include "tst_programmodule.moc"
