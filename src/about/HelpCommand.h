#pragma once

#include <QStringList>

class AddressOpener;
class FileAssociations;
class QWidget;

// The help: "PILLORA.CHM" opened with the desktop's CHM viewer. Where there
// is no such file, no viewer, or the viewer does not start, the same pages,
// built into the program, show in a help window of its own: Help always
// shows something, in a portable copy and an installed one alike.
class HelpCommand
{
public:
    // The program folder first, for a portable copy and the build, then the
    // data folder of an installed copy.
    static QStringList installedFolders();

    HelpCommand(AddressOpener &opener, const FileAssociations &associations,
                QStringList folders = installedFolders());

    // What the main window's "&Help" menu item does; owner owns the help
    // window.
    void run(QWidget &owner) const;

private:
    QString firstExisting(const QString &relativePath) const;

    AddressOpener &m_opener;
    const FileAssociations &m_associations;
    QStringList m_folders;
};
