#include "DueNotification.h"
#include "Lists.h"
#include "NotificationServer.h"
#include "NotifyDueCommand.h"
#include "PortableCopy.h"
#include "ProgramLauncher.h"

#include <QElapsedTimer>
#include <QSettings>
#include <QTest>
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

// As the collection sorts them: the overdue one first.
const QList<DueRefill> TwoDue{refill("Tom & Jerry", 3, "Warfarin", Today.addDays(-2)),
                              refill("Mum", 1, "Lisinopril", Today.addDays(1))};
const QString TwoDueBody = "Tom & Jerry: Warfarin, overdue since Sunday, 29 November\n"
                           "Mum: Lisinopril, Wednesday, 2 December";

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

    void body_data()
    {
        QTest::addColumn<QList<DueRefill>>("refills");
        QTest::addColumn<QString>("body");
        QTest::newRow("overdue marked") << TwoDue << TwoDueBody;
        QTest::newRow("last year's date keeps its year; a row without a name")
            << QList<DueRefill>{refill("Dad", 4, "", QDate(2025, 12, 30)),
                                refill("Dad", 5, "Statin\r\n20 mg", Today.addDays(7))}
            << "Dad: row 4, overdue since Tuesday, 30 December 2025\n"
               "Dad: Statin 20 mg, Tuesday, 8 December";
    }
    void body()
    {
        QFETCH(QList<DueRefill>, refills);
        QFETCH(QString, body);
        QCOMPARE(DueNotification::body(refills, Today, British, false), body);
    }

    void notify_data()
    {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("launcherWorks");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("launches");
        QTest::addColumn<QString>("body");

        const QStringList actions{"actions", "body"};
        const QStringList token{StandInNotificationServer::ActivationToken};
        QTest::newRow("action taken: Pillora starts")
            << actions << Answer::TakeAction << true << 0 << token << TwoDueBody;
        QTest::newRow("closed: nothing starts")
            << actions << Answer::Close << true << 0 << QStringList() << TwoDueBody;
        QTest::newRow("another notification's action starts nothing")
            << actions << Answer::OtherNotificationsAction << true << 0 << QStringList()
            << TwoDueBody;
        QTest::newRow("Pillora cannot be started")
            << actions << Answer::TakeAction << false << 1 << token << TwoDueBody;
        QTest::newRow("no answer: ends after the wait")
            << actions << Answer::Nothing << true << 0 << QStringList() << TwoDueBody;
        QTest::newRow("a server without actions: nothing offered, nothing to wait for")
            << QStringList{"body"} << Answer::Nothing << true << 0 << QStringList() << TwoDueBody;
        QTest::newRow("a server that reads markup gets the texts escaped")
            << QStringList{"actions", "body-markup"} << Answer::Close << true << 0 << QStringList()
            << QString(TwoDueBody).replace("&", "&amp;");
    }
    void notify()
    {
        QFETCH(QStringList, capabilities);
        QFETCH(Answer, answer);
        QFETCH(bool, launcherWorks);
        QFETCH(int, exitCode);
        QFETCH(QStringList, launches);
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
        const auto wait = 2s;
        QCOMPARE(NotifyDueCommand::run({true, {}, TwoDue, {}}, Today, British, connect("program"),
                                       launcher, err, wait),
                 exitCode);
        const bool waits = answer == Answer::Nothing && capabilities.contains("actions");
        // A coarse timer may fire up to 5 % early.
        QCOMPARE(timer.elapsed() >= 1900, waits);
        QCOMPARE(launcher.launches, launches);
        QCOMPARE(problems.isEmpty(), exitCode == 0);

        QCOMPARE(server.received.size(), 1);
        const auto &notification = server.received.first();
        QCOMPARE(notification.appName, "Pillora");
        QCOMPARE(notification.summary, "2 refills due this week");
        QCOMPARE(notification.body, body);
        QCOMPARE(notification.actions, capabilities.contains("actions")
                                           ? QStringList({"default", "Open Pillora"})
                                           : QStringList());
        // The installed desktop entry, and the icon it names.
        const QString entry = notification.hints.value("desktop-entry").toString();
        const QString desktopFile = PILLORA_PACKAGING "/" + entry + ".desktop";
        QVERIFY2(QFileInfo(desktopFile).isFile(), qPrintable(desktopFile));
        QCOMPARE(
            notification.icon,
            QSettings(desktopFile, QSettings::IniFormat).value("Desktop Entry/Icon").toString());
    }

    // The program itself, on the session bus its environment names.
    void program_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<QString>("bus");
        QTest::addColumn<int>("due");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("err");
        QTest::newRow("a server that closes the notification") << true << "" << 1 << 0 << "";
        QTest::newRow("nothing due: no notification") << true << "" << 0 << 0 << "";
        QTest::newRow("no server") << false << "" << 1 << 1 << "No notification server answers";
        QTest::newRow("no session bus")
            << false << "unix:path=/nonexistent" << 1 << 1 << "There is no session bus";
    }
    void program()
    {
        QFETCH(bool, server);
        QFETCH(QString, bus);
        QFETCH(int, due);
        QFETCH(int, exitCode);
        QFETCH(QString, err);
        StandInNotificationServer standIn(connect("server"));
        QVERIFY(!server || standIn.registerOnBus());
        const PortableCopy copy;
        const QDate refillDate = QDate::currentDate().addDays(due ? 0 : 8);
        QVERIFY(writeLists(copy.folder(), {{"Mum", {{"Aspirin", refillDate.toString()}}}}));
        QProcessEnvironment environment = copy.environment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", bus.isEmpty() ? m_bus.address() : bus);

        QProcess process;
        copy.start(process, {"--notify-due"}, environment);
        // The stand-in answers from this test's event loop.
        QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 30000);
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), exitCode);
        const QString problems = QString::fromLocal8Bit(process.readAllStandardError());
        QVERIFY2(err.isEmpty() ? problems.isEmpty() : problems.startsWith("pillora: " + err),
                 qPrintable(problems));
        QCOMPARE(standIn.received.size(), server && due ? 1 : 0);
        if (!standIn.received.isEmpty())
            QCOMPARE(standIn.received.first().summary, "1 refill due this week");
    }
};

QTEST_GUILESS_MAIN(TestNotifyDue)
#include "tst_notifydue.moc"
