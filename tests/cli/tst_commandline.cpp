#include "CommandLine.h"
#include "InstanceLock.h"
#include "Lists.h"
#include "PortableCopy.h"

using Mode = CommandLine::Mode;
Q_DECLARE_METATYPE(Mode)

// The options as parsed, and the program as a user starts it from a
// terminal or a script.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Mode>("mode");
        QTest::addColumn<int>("within");
        QTest::addColumn<QString>("refusal");
        // clang-format off
        QTest::newRow("none: the window")   << QStringList{} << Mode::Window << 7 << "";
        QTest::newRow("Qt's -platform")     << QStringList{"-platform", "xcb"} << Mode::Window << 7 << "";
        QTest::newRow("--help")             << QStringList{"--help"} << Mode::Help << 7 << "";
        QTest::newRow("-h")                 << QStringList{"-h"} << Mode::Help << 7 << "";
        QTest::newRow("--version")          << QStringList{"--version"} << Mode::Version << 7 << "";
        QTest::newRow("--due")              << QStringList{"--due"} << Mode::Due << 7 << "";
        QTest::newRow("--due --within 30")  << QStringList{"--due", "--within", "30"} << Mode::Due << 30 << "";
        QTest::newRow("--within=0 --due")   << QStringList{"--within=0", "--due"} << Mode::Due << 0 << "";
        QTest::newRow("--notify-due")       << QStringList{"--notify-due"} << Mode::NotifyDue << 7 << "";
        QTest::newRow("unknown option")     << QStringList{"--frobnicate"} << Mode::Refused << 7
                                            << "Unknown option 'frobnicate'.";
        QTest::newRow("stray argument")     << QStringList{"--due", "Mum.dat"} << Mode::Refused << 7
                                            << "Unexpected argument: Mum.dat";
        QTest::newRow("--within alone")     << QStringList{"--within", "3"} << Mode::Refused << 7
                                            << "--within goes with --due.";
        QTest::newRow("--within with --notify-due") << QStringList{"--notify-due", "--within", "3"}
                                            << Mode::Refused << 7 << "--within goes with --due.";
        QTest::newRow("--within a word")    << QStringList{"--due", "--within", "soon"} << Mode::Refused
                                            << 7 << "--within needs a whole number of days, 0 or more, not \"soon\".";
        QTest::newRow("--within below 0")   << QStringList{"--due", "--within=-1"} << Mode::Refused
                                            << -1 << "--within needs a whole number of days, 0 or more, not \"-1\".";
        QTest::newRow("--within no value")  << QStringList{"--due", "--within"} << Mode::Refused << 7
                                            << "Missing value after '--within'.";
        QTest::newRow("both modes")         << QStringList{"--due", "--notify-due"} << Mode::Refused << 7
                                            << "--due and --notify-due cannot be used together.";
        // clang-format on
    }
    void parse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Mode, mode);
        QFETCH(int, within);
        QFETCH(QString, refusal);
        CommandLine commandLine;
        QCOMPARE(commandLine.parse(QStringList{"pillora"} + arguments), mode);
        QCOMPARE(commandLine.refusal(), refusal);
        if (mode == Mode::Due)
            QCOMPARE(commandLine.withinDays(), within);
    }

    void hasDisplay_data()
    {
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("display");
        QTest::newRow("nothing") << "" << QStringList() << false;
        QTest::newRow("an empty DISPLAY") << "DISPLAY=" << QStringList() << false;
        QTest::newRow("X11") << "DISPLAY=:0" << QStringList() << true;
        QTest::newRow("Wayland") << "WAYLAND_DISPLAY=wayland-0" << QStringList() << true;
        QTest::newRow("a platform chosen") << "QT_QPA_PLATFORM=offscreen" << QStringList() << true;
        QTest::newRow("-platform") << "" << QStringList{"-platform", "offscreen"} << true;
        QTest::newRow("-display") << "" << QStringList{"-display", ":1"} << true;
    }
    void hasDisplay()
    {
        QFETCH(QString, variable);
        QFETCH(QStringList, arguments);
        QFETCH(bool, display);
        QProcessEnvironment environment;
        if (!variable.isEmpty())
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        CommandLine commandLine;
        QCOMPARE(commandLine.parse(QStringList{"pillora"} + arguments), Mode::Window);
        QCOMPARE(commandLine.hasDisplay(environment), display);
    }

    // The program itself, started without any display or session bus.
    void program_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "--within <DAYS>"
                                << "";
        QTest::newRow("--version")
            << QStringList{"--version"} << 0 << "Pillora " PILLORA_VERSION "\n"
            << "";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << ""
                                        << "Unknown option 'frobnicate'.";
        QTest::newRow("stray argument") << QStringList{"Mum"} << 2 << ""
                                        << "Unexpected argument: Mum";
        QTest::newRow("no display") << QStringList{} << 1 << ""
                                    << "Pillora needs a graphical desktop: no display was found.\n";
        QTest::newRow("--due needs no display") << QStringList{"--due"} << 0 << ""
                                                << "";
    }
    void program()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const PortableCopy copy;
        QProcess process;
        copy.start(process, arguments, copy.environment());
        QVERIFY(process.waitForFinished());
        const QString printed = QString::fromLocal8Bit(process.readAllStandardOutput());
        const QString problems = QString::fromLocal8Bit(process.readAllStandardError());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        QVERIFY2(printed.contains(out), qPrintable(printed));
        QVERIFY2(err.isEmpty() ? problems.isEmpty() : problems.contains(err), qPrintable(problems));
        // The usage goes with a refusal, on stderr only.
        if (exitCode == 2)
            QVERIFY(problems.contains("Usage: ") && printed.isEmpty());
        // Nothing is made in the folder the window would use.
        QVERIFY(!QFileInfo::exists(DataFolder(copy.folder()).path()));
    }

    // An open window holds the data folder; --due reads it all the same, and
    // takes nothing.
    void dueBesideAnOpenWindow()
    {
        const PortableCopy copy;
        const QDate today = QDate::currentDate();
        QVERIFY(
            writeLists(copy.folder(), {{"Mum",
                                        {{"Aspirin", today.toString(Qt::ISODate)},
                                         {"Statin", today.addDays(30).toString(Qt::ISODate)}}}}));
        const DataFolder folder(copy.folder());
        InstanceLock window(folder);
        QVERIFY(window.claim());
        QProcess process;
        copy.start(process, {"--due"}, copy.environment());
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(process.readAllStandardOutput(),
                 today.toString(Qt::ISODate).toLatin1() + "\tMum\tAspirin\t" +
                     today.toString(Qt::ISODate).toLatin1() + "\n");
        QCOMPARE(process.readAllStandardError(), QByteArray());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files, QDir::Name),
                 QStringList({"MedLists.dat", "Mum.dat", "Pillora.lock"}));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
