#pragma once

#include <QStringList>

struct ListFileReadResult;

// What the list commands need of the window that shows the open list.
class ListCommandsHost
{
public:
    virtual ~ListCommandsHost() = default;

    // Commits an in-place cell edit that is still open.
    virtual void commitOpenEdit() = 0;

    // The list selector.
    virtual QStringList listNames() const = 0;
    virtual QString chosenListName() const = 0;
    // The position of the chosen item, -1 when none is chosen.
    virtual int chosenListIndex() const = 0;
    // Offers names, in this order, with the item at chosen chosen; -1
    // chooses none.
    virtual void setListNames(const QStringList &names, int chosen) = 0;
    // Makes the item at index the chosen one; -1 chooses none.
    virtual void chooseListIndex(int index) = 0;

    // Returns a maximized window to its normal size.
    virtual void leaveMaximized() = 0;
    // Puts the window's position and size into the list's settings.
    virtual void storeWindowGeometry() = 0;
    // Shows the list just read: its window geometry and fonts, then the
    // fitted columns, the first cell and the refill highlighting.
    virtual void showLoadedList(const ListFileReadResult *read) = 0;
    // Shows an emptied list, laid out afresh, from its first cell.
    virtual void showEmptyList() = 0;
    // Empties the display after the open list is gone.
    virtual void ClearList() = 0;
};
