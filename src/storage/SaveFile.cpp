#include "SaveFile.h"

#include <QSaveFile>

namespace SaveFile {

SaveResult save(const QString &path, const Writer &writer)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return SaveResult::failure(file.errorString());
    QString error;
    if (!writer(file, &error)) {
        file.cancelWriting();
        return SaveResult::failure(error.isEmpty() ? file.errorString() : error);
    }
    // commit() does not notice when its own final flush fails, which is where a
    // full disk shows for a file smaller than the write buffer: it would then
    // rename a truncated file over the old one. Flush first and check.
    if (!file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return SaveResult::failure(reason);
    }
    if (!file.commit())
        return SaveResult::failure(file.errorString());
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
