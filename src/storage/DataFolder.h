#pragma once

#include "Catalogue.h"

#include <QString>

#include <optional>

// The folder "MedFiles" beside the program, which holds the catalogue and
// one file per list.
class DataFolder
{
public:
    explicit DataFolder(const QString &programFolder);

    QString path() const { return m_path; }
    QString cataloguePath() const;
    Catalogue catalogue() const { return Catalogue(cataloguePath()); }
    // Held by the running copy of the program, so a second copy cannot
    // overwrite its saves.
    QString instanceLockPath() const;

    // Creates the folder when nothing of that name exists yet.
    bool EnsureDataFolder(QString *error = nullptr) const;

    // The one place a list name becomes a path. A name that could reach
    // outside the folder, or that no file could carry, gives no path, and
    // refusal says why.
    std::optional<QString> listFilePath(const QString &name, QString *refusal = nullptr) const;
    static QString refusalFor(const QString &name);

private:
    QString m_path;
};
