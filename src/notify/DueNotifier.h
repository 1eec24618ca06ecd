#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>

class ProgramLauncher;
class QDBusPendingCallWatcher;

// Sends one desktop notification over the freedesktop notification service
// and stays to answer it: its default action "Open Pillora" starts the
// program. Done when the notification is closed, its action is taken or
// the wait is over, or at once where the server offers no actions.
class DueNotifier : public QObject
{
    Q_OBJECT

public:
    struct Message
    {
        QString summary;
        QString body;
        // The same body for a server that reads markup.
        QString markupBody;
    };

    static constexpr std::chrono::minutes DefaultWait{10};
    // The installed desktop entry's name, without ".desktop", which is also
    // the name of the installed icon.
    static const QString DesktopEntry;
    static const QString OpenAction;

    DueNotifier(const QDBusConnection &bus, ProgramLauncher &launcher,
                std::chrono::milliseconds wait = DefaultWait, QObject *parent = nullptr);

    void send(const Message &message);

signals:
    // exitCode 0 when all went well; otherwise problem says what failed.
    void finished(int exitCode, const QString &problem);

private slots:
    void onActionInvoked(uint id, const QString &action);
    void onActivationToken(uint id, const QString &token);
    void onClosed(uint id, uint reason);

private:
    void onCapabilities(QDBusPendingCallWatcher *call);
    void onNotified(QDBusPendingCallWatcher *call);
    bool isOurs(uint id) const;
    void finish(int exitCode, const QString &problem = {});

    QDBusConnection m_bus;
    ProgramLauncher &m_launcher;
    QTimer m_wait;
    Message m_message;
    bool m_actions = false;
    bool m_done = false;
    uint m_id = 0;
    QString m_activationToken;
};
