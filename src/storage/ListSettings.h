#pragma once

#include <QString>

// The settings that are stored with a list: where its window stood, how its
// text was shown and which printer it prints on.
struct ListSettings
{
    // The two sizes the font menu offers, in points: Standard and Large.
    static constexpr int StandardFontSize = 8;
    static constexpr int LargeFontSize = 10;

    // Window edges and size in twips, single precision as the file keeps them.
    float windowLeft = 0;
    float windowTop = 0;
    float windowWidth = 0;
    float windowHeight = 0;
    // The size the font menu marks: 8 (Standard) or 10 (Large).
    int fontSize = StandardFontSize;
    bool bold = false;
    QString printerName;

    bool operator==(const ListSettings &) const = default;
};
