#pragma once

// The built program copied into a folder of its own, so that it keeps its
// lists beside it, with links to its modules beside it, and started without
// any display or session bus.

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

class PortableCopy
{
public:
    PortableCopy()
    {
        QFile::copy(QStringLiteral(PILLORA_PROGRAM), program());
        for (const char *module : {PILLORA_WINDOW_MODULE, PILLORA_REMINDER_MODULE})
            QFile::link(QString::fromLocal8Bit(module),
                        m_folder.filePath(QFileInfo(QString::fromLocal8Bit(module)).fileName()));
    }

    QString folder() const { return m_folder.path(); }
    QString program() const { return m_folder.filePath(QStringLiteral("pillora")); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *name :
             {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS"})
            environment.remove(QString::fromLatin1(name));
        return environment;
    }

    void start(QProcess &process, const QStringList &arguments,
               const QProcessEnvironment &environment) const
    {
        process.setProcessEnvironment(environment);
        process.start(program(), arguments);
    }

private:
    QTemporaryDir m_folder;
};
