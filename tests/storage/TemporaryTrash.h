#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// Points the user's home and with it the desktop's trash into a temporary
// folder for as long as it lives, so that tests never fill the trash of
// whoever runs them. Without a trash, a file stands where the user's data
// folder should be, so that none can be made. The working folder is an
// empty one of its own, where nothing must appear.
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
        QDir::setCurrent(m_workingFolder);
        restore("HOME", m_home);
        restore("XDG_DATA_HOME", m_dataHome);
    }
    TemporaryTrash(const TemporaryTrash &) = delete;
    TemporaryTrash &operator=(const TemporaryTrash &) = delete;

    QString filesFolder() const { return m_trash + QStringLiteral("/files"); }
    QString infoFolder() const { return m_trash + QStringLiteral("/info"); }
    QString workingFolder() const { return m_folder.filePath(QStringLiteral("working")); }

private:
    struct Saved
    {
        bool set;
        QByteArray value;
    };
    static Saved save(const char *name) { return {qEnvironmentVariableIsSet(name), qgetenv(name)}; }
    static void restore(const char *name, const Saved &saved)
    {
        if (saved.set)
            qputenv(name, saved.value);
        else
            qunsetenv(name);
    }

    Saved m_home = save("HOME");
    Saved m_dataHome = save("XDG_DATA_HOME");
    QString m_workingFolder = QDir::currentPath();
    QTemporaryDir m_folder;
    QString m_trash;
};
