#pragma once

#include "DataFolder.h"
#include "ListFileReader.h"
#include "SaveFile.h"

#include <QStringList>

class MedicationList;

// The one way to the lists by name: their catalogue entries and their files
// in the data folder. Creating and removing a list keep both in step.
class ListStore
{
public:
    explicit ListStore(const DataFolder &folder);

    // The catalogue's names in its order; none when there is no catalogue.
    QStringList names() const;
    bool hasCatalogue() const;

    // The reason to refuse name for a new list, or an empty string.
    static QString refusalForNewName(const QString &name, const QStringList &existingNames);
    // Enters a new list at the end of the catalogue. It has no file until it
    // is first saved.
    SaveResult create(const QString &name) const;

    // Writes the list under its CurrentListName. ChangesMade is cleared only
    // once the whole file is in place; a failed save leaves it as it was.
    SaveResult save(MedicationList &list) const;

    struct LoadResult
    {
        // There is a file for the name (or something in its place).
        bool found = false;
        // The file is read whole or in part and in the list; when it could
        // not be read at all, read.problem says why.
        bool ok() const { return found && read.readable; }
        ListFileReadResult read;
    };
    // Reads the file of name into list, when there is one. A file that
    // cannot be read leaves the list as it was.
    LoadResult load(const QString &name, MedicationList &list) const;

    // Takes the list named name out of the catalogue, which then holds
    // remainingNames (a name may stand twice, so the caller says which entry
    // goes), and moves its file to the desktop's trash, or removes it where
    // there is no trash. A list that was never saved has no file, and a file
    // that cannot be removed is left; only a catalogue that cannot be
    // written fails, and then nothing has changed.
    SaveResult remove(const QString &name, const QStringList &remainingNames) const;

private:
    DataFolder m_folder;
};
