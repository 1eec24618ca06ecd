#include "DataLocation.h"
#include "Program.h"
#include "ProgramInfo.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    DataLocation::ignoreRelativeDataHome();
    QApplication app(argc, argv);
    Program::setUpApplication();
    Program program(DataLocation::folderHoldingMedFiles(ProgramInfo::programFolder(),
                                                        ProgramInfo::installedDataFolder()));
    if (!program.start())
        return 1;
    return app.exec();
}
