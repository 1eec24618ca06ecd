#include "WindowModule.h"

#include "ProgramInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>

namespace WindowModule {

namespace {

int refuse(const QString &why)
{
    std::fprintf(stderr, "%s cannot open its window: %s\n", qPrintable(ProgramInfo::title()),
                 qPrintable(why));
    return 1;
}

// The program folder before any application object exists, which
// QCoreApplication::applicationDirPath() needs; it reads the same link.
QString programFolder()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
}

} // namespace

QString fileName()
{
    return QStringLiteral("pillora-window.so");
}

QStringList candidates(const QString &programFolder)
{
    return {QDir(programFolder).filePath(fileName()),
            QDir::cleanPath(programFolder + u'/' + QStringLiteral(PILLORA_LIBRARY_FROM_PROGRAM) +
                            u'/' + fileName())};
}

int run(int &argc, char **argv)
{
    const QStringList paths = candidates(programFolder());
    for (const QString &path : paths) {
        if (!QFileInfo::exists(path))
            continue;
        // The first one found is the one meant: a broken module beside the
        // program is reported, not passed over for another.
        QLibrary module(path);
        if (!module.load())
            return refuse(module.errorString());
        const auto version = reinterpret_cast<VersionFunction *>(module.resolve(VersionSymbol));
        const auto windowMain = reinterpret_cast<MainFunction *>(module.resolve(MainSymbol));
        if (!version || !windowMain)
            return refuse(QStringLiteral("%1 is not its window.").arg(path));
        if (ProgramInfo::version() != QLatin1StringView(version()))
            return refuse(QStringLiteral("%1 belongs to version %2, not %3.")
                              .arg(path, QLatin1StringView(version()), ProgramInfo::version()));
        return windowMain(&argc, argv);
    }
    return refuse(QStringLiteral("%1 is in neither %2 nor %3.")
                      .arg(fileName(), QFileInfo(paths[0]).path(), QFileInfo(paths[1]).path()));
}

} // namespace WindowModule
