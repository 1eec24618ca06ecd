#pragma once

// What the Print command needs of the main window.
class PrintHost
{
public:
    virtual ~PrintHost() = default;

    // Whether the list selector shows a list's name.
    virtual bool listChosen() const = 0;
    // Commits an open cell edit, so the printout holds what the user sees.
    virtual void commitOpenEdit() = 0;
    // Fits the grid's columns to their texts and to the current printer's
    // page width.
    virtual void SetColumnWidths() = 0;
    // The grid's width of a column in twips, as SetColumnWidths left it.
    virtual int columnWidth(int column) const = 0;
};
