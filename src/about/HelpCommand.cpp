#include "HelpCommand.h"

#include "AddressOpener.h"
#include "FileAssociations.h"
#include "HelpWindow.h"
#include "ProgramInfo.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString CompiledHelp = QStringLiteral("PILLORA.CHM");

} // namespace

QStringList HelpCommand::installedFolders()
{
    return {ProgramInfo::programFolder(), ProgramInfo::installedDataFolder()};
}

HelpCommand::HelpCommand(AddressOpener &opener, const FileAssociations &associations,
                         QStringList folders)
    : m_opener(opener), m_associations(associations), m_folders(std::move(folders))
{}

QString HelpCommand::firstExisting(const QString &relativePath) const
{
    for (const QString &folder : m_folders) {
        const QFileInfo file(QDir(folder).filePath(relativePath));
        if (file.isFile())
            return file.absoluteFilePath();
    }
    return {};
}

void HelpCommand::run(QWidget &owner) const
{
    const QString compiled = firstExisting(CompiledHelp);
    if (!compiled.isEmpty() && m_associations.hasApplicationFor(compiled) &&
        m_opener.open(QUrl::fromLocalFile(compiled)))
        return;
    HelpWindow::open(owner);
}
