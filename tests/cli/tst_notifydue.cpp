#include "DueNotification.h"
#include "Lists.h"
#include "NotificationServer.h"
#include "NotifyDueCommand.h"
#include "PortableCopy.h"
#include "ProgramLauncher.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTextStream>

using namespace std::chrono_literals;
using Answer = StandInNotificationServer::Answer;
Q_DECLARE_METATYPE(Answer)

namespace {

// A Tuesday.
const QDate Today(2026, 12, 1);
const QLocale British(QLocale::English, QLocale::UnitedKingdom);

DueRefill refill(const QString &list, int row, const QString &medicine, const QDate &date)
{
    return {date, list, 0, row, medicine, date.toString(Qt::ISODate)};
}

// Sorted as the collection sorts them: the overdue one first.
const QList<DueRefill> TwoDue{refill("Tom & Jerry", 3, "Warfarin", Today.addDays(-2)),
                              refill("Mum", 1, "Lisinopril", Today.addDays(1))};

class RecordingLauncher : public ProgramLauncher
{
public:
    bool succeeds = true;
    QStringList launches;
    bool launch(const QString &activationToken) override
    {
        launches << activationToken;
        return succeeds;
    }
};

} // namespace

// pillora --notify-due against a stand-in notification server on a private
// session bus.
class TestNotifyDue : public QObject
{
    Q_OBJECT

    PrivateBus m_bus;

    QDBusConnection connect(const QString &name)
    {
        return QDBusConnection::connectToBus(m_bus.address(), name);
    }

private slots:
    void initTestCase()
    {
        if (m_bus.address().isEmpty())
            QSKIP(qPrintable("No dbus-daemon (Debian package dbus-daemon): " + m_bus.problem()));
    }

    void cleanup()
    {
        QDBusConnection::disconnectFromBus("server");
        QDBusConnection::disconnectFromBus("program");
    }

    void text_data()
    {
        QTest::addColumn<QList<DueRefill>>("refills");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("body");
        QTest::newRow("one") << QList<DueRefill>{refill("Mum", 1, "Lisinopril", Today)}
                             << "1 refill due this week"
                             << "Mum: Lisinopril, Tuesday, 1 December";
        QTest::newRow("overdue marked, and first as sorted")
            << TwoDue << "2 refills due this week"
            << "Tom & Jerry: Warfarin, overdue since Sunday, 29 November\n"
               "Mum: Lisinopril, Wednesday, 2 December";
        QTest::newRow("last year's date keeps its year; a row without a name")
            << QList<DueRefill>{refill("Dad", 4, "", QDate(2025, 12, 30)),
                                refill("Dad", 5, "Statin\r\n20 mg", Today.addDays(7))}
            << "2 refills due this week"
            << "Dad: row 4, overdue since Tuesday, 30 December 2025\n"
               "Dad: Statin 20 mg, Tuesday, 8 December";
    }
    void text()
    {
        QFETCH(QList<DueRefill>, refills);
        QFETCH(QString, summary);
        QFETCH(QString, body);
        QCOMPARE(DueNotification::summary(refills.size()), summary);
        QCOMPARE(DueNotification::body(refills, Today, British, false), body);
    }

    void notify_data()
    {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("launcherWorks");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("launches");
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QString>("body");

        const QStringList actions{"default", "Open Pillora"};
        const QString plain = DueNotification::body(TwoDue, Today, British, false);
        const QStringList withActions{"actions", "body"};
        QTest::newRow("action taken: Pillora starts")
            << withActions << Answer::TakeAction << true << 0
            << QStringList{StandInNotificationServer::ActivationToken} << actions << plain;
        QTest::newRow("closed: nothing starts")
            << withActions << Answer::Close << true << 0 << QStringList() << actions << plain;
        QTest::newRow("another notification's action starts nothing")
            << withActions << Answer::OtherNotificationsAction << true << 0 << QStringList()
            << actions << plain;
        QTest::newRow("Pillora cannot be started")
            << withActions << Answer::TakeAction << false << 1
            << QStringList{StandInNotificationServer::ActivationToken} << actions << plain;
        QTest::newRow("a server without actions: none offered, nothing to wait for")
            << QStringList{"body"} << Answer::Nothing << true << 0 << QStringList() << QStringList()
            << plain;
        QTest::newRow("a server that reads markup gets the texts escaped")
            << QStringList{"actions", "body", "body-markup"} << Answer::Close << true << 0
            << QStringList() << actions
            << "Tom &amp; Jerry: Warfarin, overdue since Sunday, 29 November\n"
               "Mum: Lisinopril, Wednesday, 2 December";
    }
    void notify()
    {
        QFETCH(QStringList, capabilities);
        QFETCH(Answer, answer);
        QFETCH(bool, launcherWorks);
        QFETCH(int, exitCode);
        QFETCH(QStringList, launches);
        QFETCH(QStringList, actions);
        QFETCH(QString, body);

        StandInNotificationServer server(connect("server"));
        server.capabilities = capabilities;
        server.answer = answer;
        QVERIFY(server.registerOnBus());
        RecordingLauncher launcher;
        launcher.succeeds = launcherWorks;
        QString problems;
        QTextStream err(&problems);
        QElapsedTimer timer;
        timer.start();
        // Every row ends on its own long before this wait is over.
        const int code = NotifyDueCommand::run({true, {}, TwoDue, {}}, Today, British,
                                               connect("program"), launcher, err, 60s);
        QVERIFY(timer.elapsed() < 30000);
        QCOMPARE(code, exitCode);
        QCOMPARE(launcher.launches, launches);
        QCOMPARE(problems.isEmpty(), exitCode == 0);
        QCOMPARE(server.received.size(), 1);
        const auto &notification = server.received.first();
        QCOMPARE(notification.appName, "Pillora");
        QCOMPARE(notification.replacesId, 0u);
        QCOMPARE(notification.summary, "2 refills due this week");
        QCOMPARE(notification.body, body);
        QCOMPARE(notification.actions, actions);
        // The installed desktop entry, and the icon it names.
        const QString entry = notification.hints.value("desktop-entry").toString();
        const QString desktopFile = PILLORA_PACKAGING "/" + entry + ".desktop";
        QVERIFY2(QFileInfo(desktopFile).isFile(), qPrintable(desktopFile));
        QCOMPARE(
            notification.icon,
            QSettings(desktopFile, QSettings::IniFormat).value("Desktop Entry/Icon").toString());
    }

    void noAnswerEndsAfterTheWait()
    {
        StandInNotificationServer server(connect("server"));
        server.answer = Answer::Nothing;
        QVERIFY(server.registerOnBus());
        RecordingLauncher launcher;
        QString problems;
        QTextStream err(&problems);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(NotifyDueCommand::run({true, {}, TwoDue, {}}, Today, British, connect("program"),
                                       launcher, err, 300ms),
                 0);
        // A coarse timer may fire up to 5 % early.
        QVERIFY(timer.elapsed() >= 285);
        QCOMPARE(server.received.size(), 1);
        QVERIFY(launcher.launches.isEmpty());
    }

    void nothingDueSendsNothing()
    {
        StandInNotificationServer server(connect("server"));
        QVERIFY(server.registerOnBus());
        RecordingLauncher launcher;
        QString problems;
        QTextStream err(&problems);
        QCOMPARE(NotifyDueCommand::run({}, Today, British, connect("program"), launcher, err), 0);
        QVERIFY(server.received.isEmpty());
        QCOMPARE(problems, QString());
    }

    void noServerOrNoBus_data()
    {
        QTest::addColumn<bool>("bus");
        QTest::addColumn<QString>("problem");
        QTest::newRow("no server on the bus") << true << "No notification server answers";
        QTest::newRow("no session bus") << false << "There is no session bus";
    }
    void noServerOrNoBus()
    {
        QFETCH(bool, bus);
        QFETCH(QString, problem);
        RecordingLauncher launcher;
        QString problems;
        QTextStream err(&problems);
        const QDBusConnection connection =
            bus ? connect("program")
                : QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "program");
        QCOMPARE(NotifyDueCommand::run({true, {}, TwoDue, {}}, Today, British, connection, launcher,
                                       err),
                 1);
        QVERIFY2(problems.startsWith("pillora: " + problem), qPrintable(problems));
    }

    // The program itself, on the session bus its environment names.
    void program_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("a server that closes the notification") << true << 0;
        QTest::newRow("no server") << false << 1;
    }
    void program()
    {
        QFETCH(bool, server);
        QFETCH(int, exitCode);
        StandInNotificationServer standIn(connect("server"));
        QVERIFY(!server || standIn.registerOnBus());
        const PortableCopy copy;
        QVERIFY(writeLists(copy.folder(),
                           {{"Mum", {{"Aspirin", QDate::currentDate().toString(Qt::ISODate)}}}}));
        QProcessEnvironment environment = copy.environment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", m_bus.address());
        QProcess process;
        copy.start(process, {"--notify-due"}, environment);
        // The stand-in answers from this test's event loop.
        QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 30000);
        QCOMPARE(process.exitCode(), exitCode);
        QCOMPARE(standIn.received.size(), server ? 1 : 0);
        if (server)
            QCOMPARE(standIn.received.first().summary, "1 refill due this week");
        else
            QVERIFY(process.readAllStandardError().startsWith("pillora: No notification server"));
    }
};

QTEST_GUILESS_MAIN(TestNotifyDue)
#include "tst_notifydue.moc"
