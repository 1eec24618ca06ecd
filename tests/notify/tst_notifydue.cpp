#include "Lists.h"
#include "NotifyDueCommand.h"
#include "PortableCopy.h"
#include "ProgramLauncher.h"

#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

using namespace std::chrono_literals;

namespace {

// A Tuesday.
const QDate Today(2026, 12, 1);
const QString Token = QStringLiteral("token-1");

DueRefill refill(const QString &list, int row, const QString &medicine, const QDate &date)
{
    return {date, list, 0, row, medicine, date.toString(Qt::ISODate)};
}

// As the collection sorts them, overdue ones first: last year's date keeps
// its year, a row without a name goes by its number, and a line break in a
// name does not break the body's line.
const QList<DueRefill> Due{refill("Dad", 4, "", QDate(2025, 12, 30)),
                           refill("Tom & Jerry", 3, "Warfarin", Today.addDays(-2)),
                           refill("Mum", 1, "Lisinopril\r\n10 mg", Today.addDays(1))};
const QString DueBody = "Dad: row 4, overdue since Tuesday, 30 December 2025\n"
                        "Tom & Jerry: Warfarin, overdue since Sunday, 29 November\n"
                        "Mum: Lisinopril 10 mg, Wednesday, 2 December";

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

// The desktop's notification server: records the notification and answers
// as a person would.
class StandInServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    // OtherNotificationsAction: another notification's default action, then
    // this one closed.
    enum Answer
    {
        TakeAction,
        Close,
        OtherNotificationsAction,
        Nothing,
    };
    static constexpr uint Id = 42;
    QStringList capabilities;
    Answer answer = Close;
    // App name, icon, summary, body, actions and the desktop entry.
    QStringList received;

    explicit StandInServer(const QDBusConnection &bus) : m_bus(bus) {}
    bool registerOnBus()
    {
        return m_bus.registerObject(Path, this, QDBusConnection::ExportAllSlots) &&
               m_bus.registerService("org.freedesktop.Notifications");
    }

public slots:
    QStringList GetCapabilities() { return capabilities; }
    uint Notify(const QString &appName, uint, const QString &icon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int)
    {
        const QString entry = hints.value("desktop-entry").toString();
        received = {appName, icon, summary, body, actions.join(u'|'), entry};
        // After the reply, as the notification shows before anyone can click it.
        QTimer::singleShot(0, this, [this] {
            if (answer == TakeAction) {
                emitSignal("ActivationToken", {Id, Token});
                emitSignal("ActionInvoked", {Id, "default"});
            } else if (answer == OtherNotificationsAction) {
                emitSignal("ActionInvoked", {Id + 1, "default"});
            }
            if (answer != Nothing)
                emitSignal("NotificationClosed", {Id, 2u});
        });
        return Id;
    }
    void CloseNotification(uint) {}

private:
    static inline const QString Path = QStringLiteral("/org/freedesktop/Notifications");
    void emitSignal(const QString &name, const QVariantList &arguments)
    {
        QDBusMessage signal =
            QDBusMessage::createSignal(Path, "org.freedesktop.Notifications", name);
        signal.setArguments(arguments);
        m_bus.send(signal);
    }
    QDBusConnection m_bus;
};

Q_DECLARE_METATYPE(StandInServer::Answer)

// pillora --notify-due against the stand-in on a private session bus.
class TestNotifyDue : public QObject
{
    Q_OBJECT

    QTemporaryDir m_busFolder;
    QProcess m_bus;
    QString m_address;

    QDBusConnection connect(const QString &name)
    {
        return QDBusConnection::connectToBus(m_address, name);
    }

private slots:
    // The bus names no service files, so nothing on the machine (say, its
    // notification daemon) is started on demand.
    void initTestCase()
    {
        QFile config(m_busFolder.filePath("session.conf"));
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(QString("<busconfig><type>session</type><listen>unix:dir=%1</listen>"
                             "<policy context=\"default\"><allow send_destination=\"*\" "
                             "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                             "</policy></busconfig>")
                         .arg(m_busFolder.path())
                         .toUtf8());
        config.close();
        m_bus.start("dbus-daemon",
                    {"--nofork", "--print-address", "--config-file=" + config.fileName()});
        if (!m_bus.waitForReadyRead(10000))
            QSKIP(
                qPrintable("No dbus-daemon (Debian package dbus-daemon): " + m_bus.errorString()));
        m_address = QString::fromLatin1(m_bus.readLine().trimmed());
    }
    void cleanupTestCase()
    {
        m_bus.terminate();
        m_bus.waitForFinished();
    }
    void cleanup()
    {
        QDBusConnection::disconnectFromBus("server");
        QDBusConnection::disconnectFromBus("program");
    }

    // What is sent and what each answer leads to: an action taken starts
    // Pillora, and the command ends once the notification is done with.
    void notify_data()
    {
        QTest::addColumn<QStringList>("capabilities"); // none: no server
        QTest::addColumn<StandInServer::Answer>("answer");
        QTest::addColumn<bool>("due");
        // Also what sets up the failure it names.
        QTest::addColumn<QString>("err");
        const QStringList actions{"actions", "body"};
        using S = StandInServer;
        // clang-format off
        QTest::newRow("action taken: Pillora starts")  << actions << S::TakeAction << true << "";
        QTest::newRow("Pillora cannot be started")     << actions << S::TakeAction << true << "pillora: Pillora could not be started.";
        QTest::newRow("another notification's action") << actions << S::OtherNotificationsAction << true << "";
        QTest::newRow("no answer: ends after the wait") << actions << S::Nothing << true << "";
        QTest::newRow("a server without actions: nothing offered, nothing to wait for")
            << QStringList{"body"} << S::Nothing << true << "";
        QTest::newRow("a server that reads markup gets the texts escaped")
            << QStringList{"actions", "body-markup"} << S::Close << true << "";
        QTest::newRow("nothing due: no notification")  << actions << S::Close << false << "";
        QTest::newRow("no server") << QStringList() << S::Close << true
                                   << "pillora: No notification server answers";
        QTest::newRow("no session bus") << QStringList() << S::Close << true
                                        << "pillora: There is no session bus";
        // clang-format on
    }
    void notify()
    {
        QFETCH(QStringList, capabilities);
        QFETCH(StandInServer::Answer, answer);
        QFETCH(bool, due);
        QFETCH(QString, err);
        StandInServer server(connect("server"));
        server.capabilities = capabilities;
        server.answer = answer;
        QVERIFY(capabilities.isEmpty() || server.registerOnBus());
        const QDBusConnection bus =
            err.contains("session bus")
                ? QDBusConnection::connectToBus("unix:path=/nonexistent", "none")
                : connect("program");
        RecordingLauncher launcher;
        launcher.succeeds = !err.contains("could not be started");
        QString problems;
        QTextStream errStream(&problems);
        QElapsedTimer timer;
        timer.start();
        const QLocale british(QLocale::English, QLocale::UnitedKingdom);
        QCOMPARE(NotifyDueCommand::run({true, {}, due ? Due : QList<DueRefill>(), {}}, Today,
                                       british, bus, launcher, errStream, 2s),
                 err.isEmpty() ? 0 : 1);
        QVERIFY2(err.isEmpty() ? problems.isEmpty() : problems.startsWith(err),
                 qPrintable(problems));
        const bool waits = answer == StandInServer::Nothing && capabilities.contains("actions");
        // A coarse timer may fire up to 5 % early.
        QCOMPARE(timer.elapsed() >= 1900, waits);
        QCOMPARE(launcher.launches,
                 answer == StandInServer::TakeAction ? QStringList{Token} : QStringList());
        QCOMPARE(server.received.isEmpty(), !due || capabilities.isEmpty());
        if (server.received.isEmpty())
            return;

        // The installed desktop entry, and the icon it names.
        const QString entry = server.received.value(5);
        const QString desktopFile = PILLORA_PACKAGING "/" + entry + ".desktop";
        QVERIFY2(QFileInfo(desktopFile).isFile(), qPrintable(desktopFile));
        const QString icon =
            QSettings(desktopFile, QSettings::IniFormat).value("Desktop Entry/Icon").toString();
        const bool markup = capabilities.contains("body-markup");
        const bool offered = capabilities.contains("actions");
        QCOMPARE(server.received,
                 QStringList({"Pillora", icon, "3 refills due this week",
                              markup ? QString(DueBody).replace("&", "&amp;") : DueBody,
                              offered ? "default|Open Pillora" : "", entry}));
    }

    // The program itself, with its lists, on the session bus its environment
    // names.
    void program()
    {
        StandInServer server(connect("server"));
        QVERIFY(server.registerOnBus());
        const PortableCopy copy;
        QVERIFY(
            writeLists(copy.folder(), {{"Mum", {{"Aspirin", QDate::currentDate().toString()}}}}));
        QProcessEnvironment environment = copy.environment();
        environment.insert("DBUS_SESSION_BUS_ADDRESS", m_address);
        QProcess process;
        copy.start(process, {"--notify-due"}, environment);
        // The stand-in answers from this test's event loop.
        QTRY_COMPARE_WITH_TIMEOUT(process.state(), QProcess::NotRunning, 30000);
        QCOMPARE(process.readAllStandardError(), QByteArray());
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(server.received.value(2), "1 refill due this week");
    }
};

QTEST_GUILESS_MAIN(TestNotifyDue)
#include "tst_notifydue.moc"
