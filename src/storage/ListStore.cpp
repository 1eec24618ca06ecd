#include "ListStore.h"

#include "ListFileWriter.h"
#include "ListNameRules.h"
#include "MedicationList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// Where Qt finds no trash at all, it makes one in the working folder, so a
// file goes to the trash only where the user's own trash is there or can
// be made.
bool userTrashAvailable()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return !dataHome.isEmpty() && QFileInfo(dataHome).isDir() &&
           QDir(dataHome).mkpath(QStringLiteral("Trash"));
}

} // namespace

ListStore::ListStore(const DataFolder &folder) : m_folder(folder) {}

QStringList ListStore::names() const
{
    return m_folder.catalogue().read();
}

bool ListStore::hasCatalogue() const
{
    return m_folder.catalogue().exists();
}

QString ListStore::refusalForNewName(const QString &name, const QStringList &existingNames)
{
    return ListNameRules::refusalForNewName(name, existingNames);
}

SaveResult ListStore::create(const QString &name) const
{
    QString refusal;
    if (!m_folder.listFilePath(name, &refusal))
        return SaveResult::failure(refusal);
    return m_folder.catalogue().append(name);
}

SaveResult ListStore::save(MedicationList &list) const
{
    QString refusal;
    const std::optional<QString> path = m_folder.listFilePath(list.CurrentListName(), &refusal);
    if (!path)
        return SaveResult::failure(refusal);
    const SaveResult result = SaveFile::save(*path, [&list](QIODevice &device, QString *error) {
        return ListFileWriter::write(list, device, error);
    });
    if (result)
        list.setChangesMade(false);
    return result;
}

ListStore::LoadResult ListStore::load(const QString &name, MedicationList &list) const
{
    LoadResult result;
    const std::optional<QString> path = m_folder.listFilePath(name);
    if (!path || !QFileInfo::exists(*path))
        return result;
    result.found = true;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.read.readable = false;
        result.read.complete = false;
        result.read.problem = file.errorString();
        return result;
    }
    // Read apart, so that a file that fails halfway changes nothing shown.
    MedicationList read;
    read.setSettings(list.settings());
    result.read = ListFileReader::read(file, read);
    if (result.read.readable)
        list.assignContent(read);
    return result;
}

SaveResult ListStore::remove(const QString &name, const QStringList &remainingNames) const
{
    if (const SaveResult rewritten = m_folder.catalogue().rewrite(remainingNames); !rewritten)
        return rewritten;
    // From the desktop's trash a list deleted by mistake can be restored;
    // where there is no trash the file goes for good.
    const std::optional<QString> path = m_folder.listFilePath(name);
    if (path && QFileInfo(*path).isFile() && !(userTrashAvailable() && QFile::moveToTrash(*path)))
        QFile::remove(*path);
    return {};
}
