#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Splits the bytes of a text file into lines. A line ends at CR LF or at a
// CR alone; an LF on its own belongs to the line.
struct TextLines
{
    QList<QByteArrayView> lines;
    // The last line ran to the end of the bytes without a line end.
    bool lastLineUnterminated = false;

    // Stops after maxLines lines; the rest of the bytes is not looked at.
    static TextLines split(QByteArrayView bytes, qsizetype maxLines = -1);
};
