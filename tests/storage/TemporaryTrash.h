#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Points the user's home, and with it the desktop's trash, into a temporary
// folder while it lives, so that tests never fill the trash of whoever runs
// them. Without a trash, a file stands where the user's data folder would
// be. The working folder is an empty one of its own, where nothing must
// appear.
class TemporaryTrash
{
public:
    explicit TemporaryTrash(bool available = true)
    {
        const QString home = m_folder.filePath(QStringLiteral("home"));
        const QString dataHome = home + QStringLiteral("/.local/share");
        QDir().mkpath(available ? dataHome : home + QStringLiteral("/.local"));
        if (!available)
            QFile(dataHome).open(QIODevice::WriteOnly);
        qputenv("HOME", QFile::encodeName(home));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome));
        m_trash = dataHome + QStringLiteral("/Trash");
        QDir().mkdir(workingFolder());
        QDir::setCurrent(workingFolder());
    }
    ~TemporaryTrash()
    {
        QDir::setCurrent(m_oldWorkingFolder);
        qputenv("HOME", m_oldHome);
        if (m_oldDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", m_oldDataHome);
    }

    QString filesFolder() const { return m_trash + QStringLiteral("/files"); }
    QString infoFolder() const { return m_trash + QStringLiteral("/info"); }
    QString workingFolder() const { return m_folder.filePath(QStringLiteral("working")); }

private:
    const QByteArray m_oldHome = qgetenv("HOME");
    const QByteArray m_oldDataHome =
        qEnvironmentVariableIsSet("XDG_DATA_HOME") ? qgetenv("XDG_DATA_HOME") : QByteArray();
    const QString m_oldWorkingFolder = QDir::currentPath();
    QTemporaryDir m_folder;
    QString m_trash;
};
