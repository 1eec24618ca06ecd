#pragma once

#include "DataFolder.h"
#include "ListFileReader.h"
#include "SaveFile.h"

class MedicationList;

// Saves, loads and removes list files by list name inside the data folder.
class ListStore
{
public:
    explicit ListStore(const DataFolder &folder);

    const DataFolder &folder() const { return m_folder; }

    bool fileExists(const QString &name) const;

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

    // Removes the file of name; a file that is not there is no failure.
    bool remove(const QString &name) const;

private:
    DataFolder m_folder;
};
