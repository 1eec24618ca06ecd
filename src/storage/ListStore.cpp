#include "ListStore.h"

#include "ListFileWriter.h"
#include "ListNameRules.h"
#include "MedicationList.h"
#include "RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

// From the desktop's trash a file removed by mistake can be restored; where
// there is no trash the file goes for good.
void discard(const QString &path)
{
    if (!(userTrashAvailable() && QFile::moveToTrash(path)))
        QDir().remove(path);
}

// Something stands at path, even a link to nothing.
bool taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

ListStore::ListStore(const DataFolder &folder) : m_folder(folder) {}

std::optional<QStringList> ListStore::names(QString *error) const
{
    return m_folder.catalogue().read(error);
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

QString ListStore::nameForCopy(const QString &name) const
{
    const std::optional<QStringList> existing = names();
    if (!existing)
        return {};
    // The copy of "Alice (2)" is "Alice (3)", not "Alice (2) (2)".
    static const QRegularExpression numbered(QStringLiteral("^(.+) \\(\\d+\\)$"));
    const QRegularExpressionMatch match = numbered.match(name);
    const QString base = match.hasMatch() ? match.captured(1) : name;
    constexpr int MaxCopies = 1000;
    for (int number = 2; number <= MaxCopies; ++number) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(base).arg(number);
        if (!refusalForNewName(candidate, *existing).isEmpty())
            continue;
        const std::optional<QString> path = m_folder.listFilePath(candidate);
        if (path && !taken(*path))
            return candidate;
    }
    return {};
}

QString ListStore::refusalToSave(const MedicationList &list) const
{
    const QString name = list.CurrentListName();
    QString refusal;
    const std::optional<QString> path = m_folder.listFilePath(name, &refusal);
    if (!path)
        return refusal;
    switch (SaveFile::obstacleAt(*path)) {
    case SaveFile::Obstacle::LinkLeadsOutside:
        return QStringLiteral("'%1' is a link to a file outside the list folder and is not "
                              "overwritten.")
            .arg(name);
    case SaveFile::Obstacle::NotAFile:
        return QStringLiteral("'%1' is not a list file and cannot be saved.").arg(name);
    case SaveFile::Obstacle::None:
        break;
    }
    return {};
}

bool ListStore::changedOnDisk(const MedicationList &list) const
{
    const std::optional<QString> path = m_folder.listFilePath(list.CurrentListName());
    if (!path)
        return false;
    QFile file;
    switch (RegularFile::openForReading(*path, file).status) {
    case RegularFile::Status::Missing:
    case RegularFile::Status::NotAFile:
        return false;
    case RegularFile::Status::Failed:
        // What cannot be read may have changed; the user decides.
        return true;
    case RegularFile::Status::Opened:
        break;
    }
    const std::optional<QByteArray> bytes = ListFileReader::readBytes(file);
    return !bytes || FileIdentity::of(*bytes) != list.fileIdentity();
}

SaveResult ListStore::save(MedicationList &list) const
{
    if (const QString refusal = refusalToSave(list); !refusal.isEmpty())
        return SaveResult::failure(refusal);
    QString error;
    const std::optional<QByteArray> bytes = ListFileWriter::encode(list, &error);
    if (!bytes)
        return SaveResult::failure(error);
    const SaveResult result =
        SaveFile::save(*m_folder.listFilePath(list.CurrentListName()), *bytes);
    if (result) {
        list.setFileIdentity(FileIdentity::of(*bytes));
        list.setChangesMade(false);
    }
    return result;
}

ListStore::LoadResult ListStore::load(const QString &name, MedicationList &list) const
{
    using Outcome = LoadResult::Outcome;
    LoadResult result;
    const std::optional<QString> path = m_folder.listFilePath(name, &result.problem);
    if (!path) {
        result.outcome = Outcome::NameRefused;
        list.setFileIdentity(FileIdentity::none());
        return result;
    }
    QFile file;
    const RegularFile::OpenResult opened = RegularFile::openForReading(*path, file);
    switch (opened.status) {
    case RegularFile::Status::Missing:
        result.outcome = Outcome::NoFile;
        list.setFileIdentity(FileIdentity::none());
        return result;
    case RegularFile::Status::NotAFile:
        result.outcome = Outcome::NotAListFile;
        list.setFileIdentity(FileIdentity::none());
        return result;
    case RegularFile::Status::Failed:
        result.outcome = Outcome::Unreadable;
        result.problem = opened.error;
        return result;
    case RegularFile::Status::Opened:
        break;
    }
    const std::optional<QByteArray> bytes = ListFileReader::readBytes(file);
    if (!bytes) {
        result.outcome = Outcome::Unreadable;
        result.problem = file.errorString();
        return result;
    }
    // Read apart, so that a file that fails halfway changes nothing shown.
    MedicationList read;
    read.setSettings(list.settings());
    result.read = ListFileReader::parse(*bytes, read);
    result.outcome = Outcome::Read;
    list.assignContent(read);
    list.setFileIdentity(FileIdentity::of(*bytes));
    return result;
}

SaveResult ListStore::remove(const QString &name, int ordinal) const
{
    if (const SaveResult rewritten = m_folder.catalogue().remove(name, ordinal); !rewritten)
        return rewritten;
    const std::optional<QString> path = m_folder.listFilePath(name);
    if (!path)
        return {};
    // A folder or a FIFO in the file's place is nothing the program made.
    const QFileInfo file(*path);
    if (file.isSymLink() || file.isFile())
        discard(*path);
    return {};
}

int ListStore::removeLeftoverSaves() const
{
    int removed = 0;
    const QFileInfoList entries =
        QDir(m_folder.path())
            .entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        if (!entry.isFile() || entry.isSymLink() || !DataFolder::isLeftoverOfSave(entry.fileName()))
            continue;
        discard(entry.filePath());
        removed += QFileInfo::exists(entry.filePath()) ? 0 : 1;
    }
    return removed;
}
