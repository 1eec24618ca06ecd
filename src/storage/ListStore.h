#pragma once

#include "DataFolder.h"
#include "ListFileReader.h"
#include "SaveFile.h"

#include <QStringList>

#include <optional>

class MedicationList;

// The one way to the lists by name: their catalogue entries and their files
// in the data folder. Creating and removing a list keep both in step.
// Another program or computer may change either at any time, so nothing
// here writes from what it read earlier.
class ListStore
{
public:
    explicit ListStore(const DataFolder &folder);

    const DataFolder &folder() const { return m_folder; }

    // The catalogue's names in its order; none when there is no catalogue,
    // and nothing, with error saying why, when it cannot be read.
    std::optional<QStringList> names(QString *error = nullptr) const;
    bool hasCatalogue() const;

    // The reason to refuse name for a new list, or an empty string.
    static QString refusalForNewName(const QString &name, const QStringList &existingNames);
    // Enters a new list at the end of the catalogue. It has no file until it
    // is first saved.
    SaveResult create(const QString &name) const;
    // A name for a second version of the list named name: "Alice (2)",
    // "Alice (3)" and so on, the first that the name rules allow beside the
    // catalogue's names and that no file in the folder has. Empty when
    // there is none.
    QString nameForCopy(const QString &name) const;

    // Why the list's file must not be written, or an empty string.
    QString refusalToSave(const MedicationList &list) const;
    // Whether the list's file holds something else than when the list was
    // loaded or last saved, so that writing it would lose what another
    // program put there. A file gone since loses nothing.
    bool changedOnDisk(const MedicationList &list) const;
    // Writes the list under its CurrentListName. ChangesMade is cleared only
    // once the whole file is in place; a failed save leaves it as it was.
    SaveResult save(MedicationList &list) const;

    struct LoadResult
    {
        enum class Outcome
        {
            // The name can have no file; problem says why.
            NameRefused,
            NoFile,
            // Something that is no regular file stands in the file's place.
            NotAListFile,
            // The file could not be read at all; problem says why.
            Unreadable,
            // The file is read whole or in part and in the list.
            Read
        };
        Outcome outcome = Outcome::NoFile;
        QString problem;
        ListFileReadResult read;
    };
    // Reads the file of name into list, when there is one. A file that
    // cannot be read leaves the list as it was.
    LoadResult load(const QString &name, MedicationList &list) const;

    // Takes one entry of name out of the catalogue (ordinal counts the
    // entries holding it, as Catalogue::remove does) and moves its file to
    // the desktop's trash, or removes it where there is no trash. A link is
    // removed, never its target. A list that was never saved has no file,
    // and a file that cannot be removed is left; only a catalogue that
    // cannot be read or written fails, and then nothing has changed.
    SaveResult remove(const QString &name, int ordinal) const;

    // Removes the temporary files that saves cut short left in the folder,
    // and nothing else. Only for the copy that holds the folder's lock: no
    // other copy can be saving then. Gives how many went.
    int removeLeftoverSaves() const;

private:
    DataFolder m_folder;
};
