#include "ProgramModule.h"

#include "ProgramInfo.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace ProgramModule {

namespace {

// QCoreApplication::applicationDirPath() needs the application object,
// which the window's module makes itself; it reads the same link.
QString programFolder()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
}

} // namespace

QStringList candidates(const QString &programFolder, const QString &fileName)
{
    return {QDir(programFolder).filePath(fileName),
            QDir::cleanPath(programFolder + u'/' + QStringLiteral(PILLORA_LIBRARY_FROM_PROGRAM) +
                            u'/' + fileName)};
}

QFunctionPointer entry(const Module &module, QString *problem)
{
    const QString fileName = QString::fromLatin1(module.fileName);
    const QStringList paths = candidates(programFolder(), fileName);
    for (const QString &path : paths) {
        if (!QFileInfo::exists(path))
            continue;
        // The first one found is the one meant: a broken module beside the
        // program is reported, not passed over for another.
        QLibrary library(path);
        if (!library.load()) {
            *problem = library.errorString();
            return nullptr;
        }
        const auto version = reinterpret_cast<Version *>(library.resolve(VersionSymbol));
        const QFunctionPointer main = library.resolve(module.entrySymbol);
        if (!version || !main) {
            *problem = QStringLiteral("%1 is not a part of it.").arg(path);
            return nullptr;
        }
        if (ProgramInfo::version() != QLatin1StringView(version())) {
            *problem = QStringLiteral("%1 belongs to version %2, not %3.")
                           .arg(path, QLatin1StringView(version()), ProgramInfo::version());
            return nullptr;
        }
        return main;
    }
    *problem = QStringLiteral("%1 is in neither %2 nor %3.")
                   .arg(fileName, QFileInfo(paths[0]).path(), QFileInfo(paths[1]).path());
    return nullptr;
}

int runWindow(int &argc, char **argv)
{
    QString problem;
    const auto windowMain = reinterpret_cast<WindowMain *>(entry(Window, &problem));
    if (!windowMain) {
        std::fprintf(stderr, "%s cannot open its window: %s\n", qPrintable(ProgramInfo::title()),
                     qPrintable(problem));
        return 1;
    }
    return windowMain(&argc, argv);
}

} // namespace ProgramModule
