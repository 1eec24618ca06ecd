#pragma once

#include <QByteArray>

// What a list's file held when the program last read or wrote it, so that a
// save can tell whether another program has changed it since. The bytes
// decide, not the file's time: sync tools carry the other computer's times
// across, and some file systems keep them to two seconds. The bytes
// themselves are kept, shared with what was read or written: comparing them
// costs less than hashing them did, and no two contents compare equal.
struct FileIdentity
{
    bool exists = false;
    QByteArray bytes;

    static FileIdentity none() { return {}; }
    static FileIdentity of(const QByteArray &bytes);

    bool operator==(const FileIdentity &) const = default;
};
