#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class MedicationList;
class QIODevice;

// What reading a list file found beyond the texts it put into the list.
struct ListFileReadResult
{
    // False when the device failed while the file was being read; the list
    // is then left as it was, and problem says why.
    bool readable = true;
    // False when the file was short or held bytes that are not text: the list then holds what could
    // be read, with missing lines taken as empty, and the user should be warned.
    bool complete = true;
    QString problem;
    // Line 5 named a size (8 or 10), so the fonts take it; an empty line only
    // marks the Standard size in the menu and leaves the fonts as they are.
    bool fontSizeStored = false;
};

// Reads a 315-line list file into the open list, trusting the line positions
// as the format has no checks of its own.
class ListFileReader
{
public:
    // Larger than any list the program writes; nothing past line 315 is read.
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    static ListFileReadResult read(QIODevice &device, MedicationList &list);

    // The two halves of read(): the device's bytes up to MaxBytes, or nothing
    // when the device failed; and the list those bytes hold.
    static std::optional<QByteArray> readBytes(QIODevice &device);
    static ListFileReadResult parse(const QByteArray &bytes, MedicationList &list);
};
