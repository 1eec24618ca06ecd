#pragma once

#include "Catalogue.h"

#include <QString>
#include <QStringList>

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

    // The files the program keeps for itself in the folder. No list may have
    // one of them as its file, in any case of letters.
    static const QStringList &reservedFileNames();

    // The one place a list name becomes a path. A name that could reach
    // outside the folder, that no file could carry or whose file the program
    // keeps for itself gives no path, and refusal says why.
    std::optional<QString> listFilePath(const QString &name, QString *refusal = nullptr) const;
    static QString refusalFor(const QString &name);

    // Whether fileName is what a save cut short leaves beside a list file or
    // the catalogue: where the file system has no unnamed temporary files,
    // QSaveFile writes "Alice.dat.kUTlff", six random letters of both cases,
    // and renames it only once it is complete. A copy the user named
    // "Alice.dat.backup", "Alice.dat.Backup" or "Alice.dat.BACKUP" is a word
    // and is not one.
    static bool isLeftoverOfSave(const QString &fileName);

private:
    QString m_path;
};
