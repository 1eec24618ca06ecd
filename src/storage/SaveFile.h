#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

// The outcome of writing a file: success, or the reason it failed.
struct SaveResult
{
    bool ok = true;
    QString error;

    static SaveResult failure(const QString &reason) { return {false, reason}; }
    explicit operator bool() const { return ok; }
};

// Every file the program writes goes through here: the new content goes to a
// temporary file beside the old one, which is replaced only once the new one
// is complete, so a failed save never destroys what was there. Nothing but a
// regular file is replaced, and nothing outside the folder the path names is
// written through a link.
namespace SaveFile {

enum class Obstacle
{
    None,
    // A folder, a FIFO, a device: nothing a save may replace.
    NotAFile,
    // A link whose target, or where its target would be created, lies
    // outside the folder of the path.
    LinkLeadsOutside
};
Obstacle obstacleAt(const QString &path);

using Writer = std::function<bool(QIODevice &device, QString *error)>;

SaveResult save(const QString &path, const Writer &writer);
SaveResult save(const QString &path, const QByteArray &bytes);

} // namespace SaveFile
