#include "Clock.h"
#include "Form1.h"
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

    const SystemClock clock;
    SystemPrinterService printers;
    Form1 window({ProgramInfo::programFolder(), &clock, &printers});
    window.show();
    return app.exec();
}
