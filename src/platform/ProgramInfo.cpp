#include "ProgramInfo.h"

#include <QCoreApplication>
#include <QDir>

namespace ProgramInfo {

QString programFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

QString title()
{
    return QStringLiteral("Pillora");
}

QString version()
{
    return QStringLiteral(PILLORA_VERSION);
}

int versionMajor()
{
    return PILLORA_VERSION_MAJOR;
}

int versionMinor()
{
    return PILLORA_VERSION_MINOR;
}

int versionRevision()
{
    return PILLORA_VERSION_PATCH;
}

} // namespace ProgramInfo
