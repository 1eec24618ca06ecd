#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class MedicationList;
class QIODevice;

// Writes a list as its 315-line file. Every text is checked against the code
// page before a single byte is written, so a list that cannot be stored
// whole is refused instead of being stored changed.
class ListFileWriter
{
public:
    // The file's bytes, or nothing with the reason in error.
    static std::optional<QByteArray> encode(const MedicationList &list, QString *error);
    static bool write(const MedicationList &list, QIODevice &device, QString *error);
};
