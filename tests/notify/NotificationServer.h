#pragma once

// A private session bus for the tests, and on it a stand-in for the
// desktop's notification server that records what it is sent and answers
// as a person would.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariantMap>

// Its configuration names no service files, so nothing on the machine (say,
// its notification daemon) is started on demand: only what a test
// registers answers.
class PrivateBus
{
public:
    PrivateBus()
    {
        QFile config(m_folder.filePath(QStringLiteral("session.conf")));
        if (!config.open(QIODevice::WriteOnly))
            return;
        config.write(QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus "
                                    "Configuration 1.0//EN\" \"http://www.freedesktop.org/"
                                    "standards/dbus/1.0/busconfig.dtd\"><busconfig>"
                                    "<type>session</type><listen>unix:dir=%1</listen>"
                                    "<auth>EXTERNAL</auth><policy context=\"default\">"
                                    "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                    "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy>"
                                    "</busconfig>")
                         .arg(m_folder.path())
                         .toUtf8());
        config.close();
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--nofork"), QStringLiteral("--print-address"),
                        QStringLiteral("--config-file=") + config.fileName()});
        if (m_daemon.waitForReadyRead(10000))
            m_address = QString::fromLatin1(m_daemon.readLine().trimmed());
    }
    ~PrivateBus()
    {
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }

    // Empty when the daemon could not be started.
    QString address() const { return m_address; }
    QString problem() const { return m_daemon.errorString(); }

private:
    QTemporaryDir m_folder;
    QProcess m_daemon;
    QString m_address;
};

class StandInNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    enum class Answer
    {
        // An activation token, then the default action.
        TakeAction,
        Close,
        // Some other notification's default action, then this one closed.
        OtherNotificationsAction,
        Nothing,
    };

    struct Notification
    {
        QString appName;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };

    static constexpr uint Id = 42;
    static inline const QString ActivationToken = QStringLiteral("token-1");

    QStringList capabilities{QStringLiteral("actions"), QStringLiteral("body")};
    Answer answer = Answer::Close;
    QList<Notification> received;

    explicit StandInNotificationServer(const QDBusConnection &bus) : m_bus(bus) {}

    bool registerOnBus()
    {
        return m_bus.registerObject(Path, this, QDBusConnection::ExportAllSlots) &&
               m_bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

public slots:
    QStringList GetCapabilities() { return capabilities; }

    uint Notify(const QString &appName, uint, const QString &icon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int)
    {
        received.append({appName, icon, summary, body, actions, hints});
        // After the reply, as the notification shows before anyone can click it.
        QTimer::singleShot(0, this, [this] { respond(); });
        return Id;
    }

    void CloseNotification(uint) {}

private:
    static inline const QString Path = QStringLiteral("/org/freedesktop/Notifications");

    void emitSignal(const QString &name, const QVariantList &arguments)
    {
        QDBusMessage signal =
            QDBusMessage::createSignal(Path, QStringLiteral("org.freedesktop.Notifications"), name);
        signal.setArguments(arguments);
        m_bus.send(signal);
    }

    void respond()
    {
        const QString defaultAction = QStringLiteral("default");
        if (answer == Answer::TakeAction) {
            emitSignal(QStringLiteral("ActivationToken"), {Id, ActivationToken});
            emitSignal(QStringLiteral("ActionInvoked"), {Id, defaultAction});
        } else if (answer == Answer::OtherNotificationsAction) {
            emitSignal(QStringLiteral("ActionInvoked"), {Id + 1, defaultAction});
        }
        if (answer != Answer::Nothing)
            emitSignal(QStringLiteral("NotificationClosed"), {Id, 2u});
    }

    QDBusConnection m_bus;
};
