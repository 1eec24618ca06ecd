#pragma once

#include <QByteArray>

// What a list's file held when the program last read or wrote it, so that a
// save can tell whether another program has changed it since. The bytes
// decide, not the file's time: sync tools carry the other computer's times
// across, and some file systems keep them to two seconds.
struct FileIdentity
{
    bool exists = false;
    qint64 size = 0;
    QByteArray hash;

    static FileIdentity none() { return {}; }
    static FileIdentity of(QByteArrayView bytes);

    bool operator==(const FileIdentity &) const = default;
};
