#include "DueNotifier.h"

#include "ProgramInfo.h"
#include "ProgramLauncher.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = Service;
const QString DefaultActionKey = QStringLiteral("default");
// The server's own choice of how long the notification shows.
constexpr int ServerExpiry = -1;

} // namespace

const QString DueNotifier::DesktopEntry = QStringLiteral("org.example.Pillora");
const QString DueNotifier::OpenAction = QStringLiteral("Open Pillora");

DueNotifier::DueNotifier(const QDBusConnection &bus, ProgramLauncher &launcher,
                         std::chrono::milliseconds wait, QObject *parent)
    : QObject(parent), m_bus(bus), m_launcher(launcher)
{
    m_wait.setSingleShot(true);
    m_wait.setInterval(wait);
    connect(&m_wait, &QTimer::timeout, this, [this] { finish(0); });
}

void DueNotifier::send(const Message &message)
{
    m_message = message;
    if (!m_bus.isConnected()) {
        finish(1, QStringLiteral("There is no session bus to send a notification over: %1")
                      .arg(m_bus.lastError().message()));
        return;
    }
    // Whether to offer the action, and whether the body is read as markup.
    const QDBusMessage ask =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("GetCapabilities"));
    auto *call = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, &DueNotifier::onCapabilities);
}

void DueNotifier::onCapabilities(QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    const QDBusPendingReply<QStringList> capabilities = *call;
    if (capabilities.isError()) {
        finish(1, QStringLiteral("No notification server answers on the session bus: %1")
                      .arg(capabilities.error().message()));
        return;
    }
    m_actions = capabilities.value().contains(QStringLiteral("actions"));
    const bool markup = capabilities.value().contains(QStringLiteral("body-markup"));
    if (m_actions) {
        m_bus.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                      SLOT(onActionInvoked(uint, QString)));
        m_bus.connect(Service, Path, Interface, QStringLiteral("ActivationToken"), this,
                      SLOT(onActivationToken(uint, QString)));
        m_bus.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this,
                      SLOT(onClosed(uint, uint)));
    }
    QDBusMessage notify =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    const QStringList actions =
        m_actions ? QStringList{DefaultActionKey, OpenAction} : QStringList();
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), DesktopEntry},
    };
    notify << ProgramInfo::title() << uint(0) << DesktopEntry << m_message.summary
           << (markup ? m_message.markupBody : m_message.body) << actions << hints << ServerExpiry;
    auto *sent = new QDBusPendingCallWatcher(m_bus.asyncCall(notify), this);
    connect(sent, &QDBusPendingCallWatcher::finished, this, &DueNotifier::onNotified);
}

void DueNotifier::onNotified(QDBusPendingCallWatcher *call)
{
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    if (reply.isError()) {
        finish(1, QStringLiteral("The notification server refused the notification: %1")
                      .arg(reply.error().message()));
        return;
    }
    m_id = reply.value();
    // Without actions there is nothing to answer.
    if (!m_actions) {
        finish(0);
        return;
    }
    m_wait.start();
}

void DueNotifier::onActivationToken(uint id, const QString &token)
{
    if (isOurs(id))
        m_activationToken = token;
}

void DueNotifier::onActionInvoked(uint id, const QString &action)
{
    if (!isOurs(id) || action != DefaultActionKey || m_done)
        return;
    if (m_launcher.launch(m_activationToken))
        finish(0);
    else
        finish(1, QStringLiteral("%1 could not be started.").arg(ProgramInfo::title()));
}

void DueNotifier::onClosed(uint id, uint)
{
    if (isOurs(id))
        finish(0);
}

bool DueNotifier::isOurs(uint id) const
{
    // Servers number notifications from 1; 0 is no notification yet.
    return m_id != 0 && id == m_id;
}

void DueNotifier::finish(int exitCode, const QString &problem)
{
    if (m_done)
        return;
    m_done = true;
    m_wait.stop();
    emit finished(exitCode, problem);
}
