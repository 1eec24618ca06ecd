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
        bool found = false;
        ListFileReadResult read;
    };
    // Reads the file of name into list, when there is one.
    LoadResult load(const QString &name, MedicationList &list) const;

    // Removes the file of name; a file that is not there is no failure.
    bool remove(const QString &name) const;

private:
    DataFolder m_folder;
};
