#pragma once

#include <QString>

class QFile;

// Opens only regular files. Opening a FIFO blocks until some other program
// writes to it, a device may never end, and a folder cannot be read: none of
// them is a list, and the program must never hang on one. A link to a
// regular file counts as one.
namespace RegularFile {

enum class Status
{
    Opened,
    Missing,
    NotAFile,
    Failed
};

struct OpenResult
{
    Status status = Status::Failed;
    QString error; // why it is not Opened
};

// Opens path for reading into file, which must not be open yet.
OpenResult openForReading(const QString &path, QFile &file);

} // namespace RegularFile
