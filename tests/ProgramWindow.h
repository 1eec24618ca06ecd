#pragma once

// The built program started as a user starts it to open its window, on the
// offscreen platform, and how to tell that the window came up: the program
// claims its data folder only once its window's module has loaded and the
// application exists.

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

namespace ProgramWindow {

inline QProcessEnvironment offscreen(const QString &dataHome = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.remove("DBUS_SESSION_BUS_ADDRESS");
    if (!dataHome.isEmpty())
        environment.insert("XDG_DATA_HOME", dataHome);
    return environment;
}

// Whether the program, still running, has claimed the folder holding
// MedFiles; the process is ended either way.
inline bool opens(QProcess &program, const QString &folderHoldingMedFiles)
{
    const QString lock = folderHoldingMedFiles + "/MedFiles/Pillora.lock";
    QDeadlineTimer deadline(60000);
    while (!QFile::exists(lock) && program.state() != QProcess::NotRunning &&
           !deadline.hasExpired()) {
        program.waitForFinished(50);
    }
    const bool opened = QFile::exists(lock) && program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished();
    return opened;
}

} // namespace ProgramWindow
