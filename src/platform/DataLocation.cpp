#include "DataLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace DataLocation {

QString folderHoldingMedFiles(const QString &programFolder, const QString &installedDataFolder)
{
    // An installed program folder can be writable, for root in /usr/bin or
    // for a user who installed into ~/.local; lists do not belong there.
    const bool installed = QFileInfo(installedDataFolder).isDir();
    const QFileInfo program(programFolder);
    if (!installed && program.isDir() && program.isWritable())
        return programFolder;
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

void ignoreRelativeDataHome()
{
    const QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!dataHome.isEmpty() && QDir::isRelativePath(dataHome))
        qunsetenv("XDG_DATA_HOME");
}

} // namespace DataLocation
