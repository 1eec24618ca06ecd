#include "ProgramLauncher.h"

#include <QCoreApplication>
#include <QProcess>

bool DetachedProgramLauncher::launch(const QString &activationToken)
{
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    if (!activationToken.isEmpty()) {
        // Wayland reads the first, X11 the second.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), activationToken);
        environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), activationToken);
        process.setProcessEnvironment(environment);
    }
    return process.startDetached();
}
