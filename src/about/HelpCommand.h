#pragma once

#include <QStringList>

class AddressOpener;
class FileAssociations;

// The help: "PILLORA.CHM" opened with the desktop's CHM viewer. Where the
// desktop has none, the same pages open as HTML in the browser. Where neither
// can be opened, nothing visible happens.
class HelpCommand
{
public:
    // The program folder first, for a portable copy and the build, then the
    // data folder of an installed copy.
    static QStringList installedFolders();

    HelpCommand(AddressOpener &opener, const FileAssociations &associations,
                QStringList folders = installedFolders());

    // What the main window's "&Help" menu item does.
    void run() const;

private:
    QString firstExisting(const QString &relativePath) const;

    AddressOpener &m_opener;
    const FileAssociations &m_associations;
    QStringList m_folders;
};
