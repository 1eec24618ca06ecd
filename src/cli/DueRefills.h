#pragma once

#include <QDate>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

class DataFolder;

// One medicine whose refill falls due.
struct DueRefill
{
    QDate date;
    QString listName;
    // The list's place in the catalogue, which orders lists due the same day.
    int listIndex = 0;
    int row = 0;
    QString medicine;
    // The Next Refill Date as the list holds it.
    QString written;
};

// The refills due across every list of a data folder, read as the window
// reads them, without writing anything or claiming the folder.
class DueRefills
{
public:
    struct Result
    {
        // False when the data folder or the catalogue could not be read;
        // problem says why.
        bool ok = true;
        QString problem;
        // By date, then by the list's place in the catalogue, then by row.
        QList<DueRefill> refills;
        // One sentence for each list that could not be read, or only in part.
        QStringList listProblems;
    };

    // Due means at most withinDays days after today, or before it.
    static Result collect(const DataFolder &folder, const QDate &today, const QLocale &locale,
                          int withinDays);
};
