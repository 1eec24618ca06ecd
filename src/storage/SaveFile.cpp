#include "SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace SaveFile {

namespace {

// The path inside its canonical folder, or an empty string when that folder
// does not exist.
QString canonicalPlace(const QFileInfo &file)
{
    const QString folder = QFileInfo(file.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(file.fileName());
}

bool linkLeadsOutside(const QFileInfo &link)
{
    const QString folder = QFileInfo(link.absolutePath()).canonicalFilePath();
    QString target = link.canonicalFilePath();
    if (target.isEmpty()) {
        // A link to nothing yet: the save would create the last link's
        // target, wherever that is, as QSaveFile follows the whole chain.
        QFileInfo end = link;
        for (int depth = 0; depth < 64 && end.isSymLink(); ++depth)
            end.setFile(end.symLinkTarget());
        target = end.isSymLink() ? QString() : canonicalPlace(end);
    }
    return folder.isEmpty() || target.isEmpty() || !target.startsWith(folder + u'/');
}

// A file that takes fewer bytes than it was given, as on a full disk, often
// has no reason to give, and Qt's word for that is "Unknown error".
QString failureOf(const QFileDevice &file)
{
    const QString unknown = QFile().errorString();
    if (file.error() != QFileDevice::NoError && file.errorString() != unknown)
        return file.errorString();
    return QStringLiteral("Not everything could be written; the disk may be full.");
}

} // namespace

Obstacle obstacleAt(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && linkLeadsOutside(info))
        return Obstacle::LinkLeadsOutside;
    if (info.exists() && !info.isFile())
        return Obstacle::NotAFile;
    return Obstacle::None;
}

SaveResult save(const QString &path, const Writer &writer)
{
    switch (obstacleAt(path)) {
    case Obstacle::NotAFile:
        return SaveResult::failure(
            QStringLiteral("%1 is not a regular file and is not overwritten.")
                .arg(QDir::toNativeSeparators(path)));
    case Obstacle::LinkLeadsOutside:
        return SaveResult::failure(
            QStringLiteral("%1 is a link to a file outside its folder and is not overwritten.")
                .arg(QDir::toNativeSeparators(path)));
    case Obstacle::None:
        break;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveResult::failure(file.errorString());
    QString error;
    if (!writer(file, &error)) {
        // The writer names what it refused; a failing file says nothing more
        // useful than the file does.
        const QString reason =
            error.isEmpty() || error == file.errorString() ? failureOf(file) : error;
        file.cancelWriting();
        return SaveResult::failure(reason);
    }
    // commit() does not notice when its own final flush fails, which is where a
    // full disk shows for a file smaller than the write buffer: it would then
    // rename a truncated file over the old one. Flush first and check.
    if (!file.flush()) {
        const QString reason = failureOf(file);
        file.cancelWriting();
        return SaveResult::failure(reason);
    }
    if (!file.commit())
        return SaveResult::failure(failureOf(file));
    return {};
}

SaveResult save(const QString &path, const QByteArray &bytes)
{
    return save(path, [&bytes](QIODevice &device, QString *error) {
        if (device.write(bytes) == bytes.size())
            return true;
        *error = device.errorString();
        return false;
    });
}

} // namespace SaveFile
