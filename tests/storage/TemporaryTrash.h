#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// While it lives, the user's home and trash are in a temporary folder, so
// tests never fill the trash of whoever runs them; without a trash, a file
// stands where the data folder would be. The working folder is empty.
class TemporaryTrash
{
public:
    explicit TemporaryTrash(bool available = true)
    {
        QDir().mkpath(available ? dataHome() : home() + "/.local");
        if (!available)
            QFile(dataHome()).open(QIODevice::WriteOnly);
        QDir().mkdir(workingFolder());
        qputenv("HOME", QFile::encodeName(home()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
        QDir::setCurrent(workingFolder());
    }
    ~TemporaryTrash()
    {
        QDir::setCurrent(m_oldWorkingFolder);
        qputenv("HOME", m_oldHome);
        qputenv("XDG_DATA_HOME", m_oldDataHome); // empty counts as none
    }

    QString filesFolder() const { return dataHome() + "/Trash/files"; }
    QString workingFolder() const { return m_folder.filePath("working"); }

private:
    QString home() const { return m_folder.filePath("home"); }
    QString dataHome() const { return home() + "/.local/share"; }

    const QByteArray m_oldHome = qgetenv("HOME");
    const QByteArray m_oldDataHome = qgetenv("XDG_DATA_HOME");
    const QString m_oldWorkingFolder = QDir::currentPath();
    const QTemporaryDir m_folder;
};
