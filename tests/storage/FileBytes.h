#pragma once

#include <QFile>

// A file's bytes, or a marker that no list or catalogue could hold.
inline QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
