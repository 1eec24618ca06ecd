#include "Clock.h"
#include "DataFolder.h"
#include "DialogPrompter.h"
#include "Form1.h"
#include "InstanceLock.h"
#include "ProgramInfo.h"
#include "SystemPrinterService.h"
#include "Typefaces.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProgramInfo::title());
    QApplication::setApplicationVersion(ProgramInfo::version());
    Typefaces::installSubstitutions();

    const DataFolder folder(ProgramInfo::programFolder());
    folder.EnsureDataFolder();
    InstanceLock instanceLock(folder);
    if (!instanceLock.claim()) {
        DialogPrompter().warn(QStringLiteral("Pillora is already running with these medication "
                                             "lists. Please use the window that is open."),
                              ProgramInfo::title());
        return 1;
    }

    const SystemClock clock;
    DialogPrompter prompter;
    SystemPrinterService printers(prompter);
    Form1 window({ProgramInfo::programFolder(), &clock, &printers});
    window.show();
    return app.exec();
}
