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

QString installedDataFolder()
{
    return QDir::cleanPath(programFolder() + u'/' + QStringLiteral(PILLORA_DATA_FROM_PROGRAM));
}

QUrl webSite()
{
    return QUrl(QStringLiteral(PILLORA_WEB_SITE));
}

QString supportMailAddress()
{
    return QStringLiteral(PILLORA_SUPPORT_MAIL);
}

} // namespace ProgramInfo
