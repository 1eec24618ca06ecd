#include "Clock.h"
#include "DataFolder.h"
#include "DialogPrompter.h"
#include "Form1.h"
#include "ProgramInfo.h"
#include "SystemPrinterService.h"
#include "Typefaces.h"

#include <QApplication>
#include <QLockFile>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramInfo::title());
    QApplication::setApplicationVersion(ProgramInfo::version());
    Typefaces::installSubstitutions();

    // A lock left by a copy that crashed names a process that is gone, and
    // QLockFile then takes it over.
    const DataFolder folder(ProgramInfo::programFolder());
    folder.EnsureDataFolder();
    QLockFile instanceLock(folder.instanceLockPath());
    instanceLock.setStaleLockTime(0);
    if (!instanceLock.tryLock(0) && instanceLock.error() == QLockFile::LockFailedError) {
        DialogPrompter().warn(QStringLiteral("Pillora is already running with these medication "
                                             "lists. Please use the window that is open."),
                              ProgramInfo::title());
        return 1;
    }

    const SystemClock clock;
    SystemPrinterService printers;
    Form1 window({ProgramInfo::programFolder(), &clock, &printers});
    window.show();
    return app.exec();
}
