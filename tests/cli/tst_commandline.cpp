#include "InstanceLock.h"
#include "Lists.h"
#include "PortableCopy.h"

// A refill today, and one 8 days ahead.
static const QString Today = QDate::currentDate().toString(Qt::ISODate);
static const QString Later = QDate::currentDate().addDays(8).toString(Qt::ISODate);

// The program as a user starts it from a terminal or a script, without any
// display, beside an open window that holds the data folder.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QString aspirin = Today + "\tMum\tAspirin\t" + Today + "\n";
        const auto refused = [](const char *name, const QStringList &arguments, const char *why) {
            QTest::newRow(name) << arguments << 2 << "" << QString("pillora: ") + why;
        };
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "--within <DAYS>"
                                << "";
        QTest::newRow("--version") << QStringList{"-v"} << 0 << "Pillora " PILLORA_VERSION "\n"
                                   << "";
        QTest::newRow("--due: within 7 days") << QStringList{"--due"} << 0 << aspirin << "";
        QTest::newRow("--due --within=0")
            << QStringList{"--due", "--within=0"} << 0 << aspirin << "";
        QTest::newRow("--due --within=8") << QStringList{"--due", "--within=8"} << 0
                                          << aspirin + Later + "\tMum\tStatin\t" + Later + "\n"
                                          << "";
        refused("unknown option", {"--frobnicate"}, "Unknown option 'frobnicate'.");
        refused("stray argument", {"--due", "Mum"}, "Unexpected argument: Mum");
        refused("--within a word", {"--due", "--within", "soon"},
                "--within needs a whole number of days, 0 or more, not \"soon\".");
        refused("--within below 0", {"--due", "--within=-1"},
                "--within needs a whole number of days, 0 or more, not \"-1\".");
        QTest::newRow("no display") << QStringList() << 1 << ""
                                    << "Pillora needs a graphical desktop: no display was found.\n";
    }
    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const PortableCopy copy;
        QVERIFY(writeLists(copy.folder(), {{"Mum", {{"Aspirin", Today}, {"Statin", Later}}}}));
        const DataFolder folder(copy.folder());
        InstanceLock window(folder);
        QCOMPARE(window.claim(), InstanceLock::Claim::Claimed);

        QProcess process;
        copy.start(process, arguments, copy.environment());
        QVERIFY(process.waitForFinished());
        const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
        const QString problems = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        QVERIFY2(out.endsWith('\n') ? printed == out : printed.contains(out), qPrintable(printed));
        QVERIFY2(err.isEmpty() ? problems.isEmpty() : problems.startsWith(err),
                 qPrintable(problems));
        // The usage goes with a refusal, on stderr only.
        QCOMPARE(problems.contains("Usage: "), exitCode == 2);
        // Read only, and the window's lock left alone.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name),
                 QStringList({"MedLists.dat", "Mum.dat", "Pillora.lock"}));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
