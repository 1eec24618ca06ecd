#pragma once

#include "SaveFile.h"

#include <QString>
#include <QStringList>

// The file that names the lists, one per line, in the order the list
// selector offers them.
class Catalogue
{
public:
    explicit Catalogue(const QString &filePath);

    QString filePath() const { return m_filePath; }
    bool exists() const;

    // The names in file order; CR LF, CR and LF end a line, and an empty
    // line is an empty name. A missing or unreadable catalogue gives no
    // names, and error says why when it was there but could not be read.
    QStringList read(QString *error = nullptr) const;
    static QStringList parse(QByteArrayView bytes);

    // Adds one name as the new last line, creating the catalogue if needed.
    SaveResult append(const QString &name) const;
    // Replaces the catalogue with these names, in this order.
    SaveResult rewrite(const QStringList &names) const;

private:
    QString m_filePath;
};
