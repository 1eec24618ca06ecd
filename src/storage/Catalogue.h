#pragma once

#include "SaveFile.h"

#include <QString>
#include <QStringList>

#include <optional>

// The file that names the lists, one per line, in the order the list
// selector offers them. Another program or computer may change it at any
// time, so every change reads it again first and touches only its own line,
// and a catalogue that cannot be read is never written over.
class Catalogue
{
public:
    explicit Catalogue(const QString &filePath);

    QString filePath() const { return m_filePath; }
    bool exists() const;

    // The names in file order; CR LF, CR and LF end a line, and an empty
    // line is an empty name. No catalogue gives no names. One that is there
    // but cannot be read (a folder, a FIFO, no right to read it) gives
    // nothing, and error says why.
    std::optional<QStringList> read(QString *error = nullptr) const;
    static QStringList parse(QByteArrayView bytes);

    // Adds one name as the new last line, creating the catalogue if needed.
    SaveResult append(const QString &name) const;
    // Takes out one line holding name: the one at ordinal among the lines
    // holding it (0 for the first), or the last of them when there are
    // fewer. A name no longer there leaves the catalogue untouched.
    SaveResult remove(const QString &name, int ordinal) const;

private:
    std::optional<QByteArray> readBytes(QString *error) const;

    QString m_filePath;
};
