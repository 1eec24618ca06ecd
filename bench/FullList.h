#pragma once

// The list the benchmarks work on: all 49 medicines filled, windows-1252
// letters beyond ASCII, Notes of three lines (one wider than the Notes
// column), refill dates around today in the forms people type them, some
// due, and twenty lines of general notes.

#include "MedicationList.h"

#include <QDate>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <vector>

inline void fillFullList(MedicationList &list, const QDate &today)
{
    const QStringList names{"Metformin",  "Lisinopril", "Atorvastatin",        "Levothyroxine",
                            "Amlodipine", "Omeprazole", "Hydrochlorothiazide", "Paracétamol"};
    const QLocale locale;
    for (int row = 1; row < MedicationList::RowCount; ++row) {
        const QDate refill = today.addDays(row % 20 - 5);
        const QString date = row % 3 == 0   ? refill.toString(Qt::ISODate)
                             : row % 3 == 1 ? locale.toString(refill, QLocale::ShortFormat)
                                            : locale.toString(refill, QLocale::LongFormat);
        list.setCell(row, MedicationList::NameColumn,
                     QStringLiteral("%1 %2").arg(names.at(row % names.size())).arg(row));
        list.setCell(row, MedicationList::DosageColumn, QStringLiteral("%1 mg").arg(row * 25));
        list.setCell(row, MedicationList::InstructionsColumn,
                     QStringLiteral("Take one tablet twice a day with meals"));
        list.setCell(row, MedicationList::QuantityColumn,
                     QStringLiteral("%1 tablets").arg(row + 30));
        list.setCell(row, MedicationList::RefillDateColumn, date);
        list.setCell(row, MedicationList::NotesColumn,
                     QStringLiteral("Prescribed by Dr. Müller\r\nAvoid alcohol and grapefruit "
                                    "juice while taking this medicine, and tell the pharmacist "
                                    "about any other medicines you take\r\nCo-payment 5 € a pack"));
    }
    QString notes;
    for (int line = 0; line < 20; ++line)
        notes +=
            QStringLiteral("Pharmacy on Main Street, open Mon–Fri 8–18, line %1\r\n").arg(line);
    list.setNotes(notes);
    list.setSettings({1200, 900, 11520, 8640, 10, true, QStringLiteral("HP LaserJet 4")});
}

inline double medianNs(std::vector<qint64> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    return double(samples[samples.size() / 2]);
}
