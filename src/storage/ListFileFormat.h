#pragma once

#include <QString>

// The fixed line positions of a list file and the way its number lines are
// written and read. Line numbers start at 1.
namespace ListFileFormat {

constexpr int LineCount = 315;
constexpr int WindowLeftLine = 1;
constexpr int FontSizeLine = 5;
constexpr int BoldLine = 6;
constexpr int PrinterNameLine = 7;
constexpr int FirstCellLine = 15;
constexpr int NotesLine = 315;

inline const QString TrueWord = QStringLiteral("True");
inline const QString FalseWord = QStringLiteral("False");

// A space for the sign of a positive number, or a minus sign, then the
// digits, then a space: " 1200 ", "-60 ", " 1E+07 ", " .5 ". Reading the
// line gives the same float back.
QString formatNumber(float value);
// The number at the start of a line once its spaces are trimmed: an optional
// sign, digits, an optional "." fraction and an optional exponent ("E+07").
// No number gives 0.
float leadingNumber(const QString &line);

} // namespace ListFileFormat
