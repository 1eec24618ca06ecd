#pragma once

// Lists in a data folder, written as the program writes them, for the tests
// of the command line.

#include "DataFolder.h"
#include "ListStore.h"
#include "MedicationList.h"
#include "SaveFile.h"

#include <QDir>
#include <QTest>

struct Medicine
{
    QString name;
    QString refillDate;
};

struct ListOnDisk
{
    enum State
    {
        Saved,
        // In the catalogue, never saved: no file.
        NeverSaved,
        // A folder where its file should be: found, and not readable by
        // anyone, root included.
        Unreadable,
    };
    QString name;
    // In rows 1, 2, ...
    QList<Medicine> medicines;
    State state = Saved;
};
using ListsOnDisk = QList<ListOnDisk>;
Q_DECLARE_METATYPE(ListsOnDisk)

// Makes MedFiles in folderHoldingMedFiles, with a catalogue naming the
// lists in their order.
inline bool writeLists(const QString &folderHoldingMedFiles, const ListsOnDisk &lists)
{
    const DataFolder folder(folderHoldingMedFiles);
    const ListStore store(folder);
    if (!folder.EnsureDataFolder())
        return false;
    // An empty catalogue, rather than none, when there are no lists.
    if (!SaveFile::save(folder.cataloguePath(), QByteArray()))
        return false;
    for (const ListOnDisk &wanted : lists) {
        if (!store.create(wanted.name))
            return false;
        if (wanted.state == ListOnDisk::Unreadable &&
            !QDir().mkpath(folder.listFilePath(wanted.name).value_or(QString())))
            return false;
        if (wanted.state != ListOnDisk::Saved)
            continue;
        MedicationList list;
        list.setCurrentListName(wanted.name);
        list.writeHeaderTexts();
        int row = MedicationList::FirstDataRow;
        for (const Medicine &medicine : wanted.medicines) {
            list.setCell(row, MedicationList::NameColumn, medicine.name);
            list.setCell(row, MedicationList::RefillDateColumn, medicine.refillDate);
            ++row;
        }
        if (!store.save(list))
            return false;
    }
    return true;
}
