#pragma once

#include "ListSettings.h"

#include <optional>

class ListHistory;
class MedicationList;

// The Font menu's choices. They belong to the open list: its settings take
// them, through its history so that they can be undone, and it is marked
// changed, even by a choice that changes nothing.
namespace DisplayOptions {

constexpr int StandardSize = ListSettings::StandardFontSize;
constexpr int LargeSize = ListSettings::LargeFontSize;

// The items of the Font Size menu, in its order.
enum SizeItem
{
    StandardItem = 0,
    LargeItem = 1
};
// The size the item at index sets; nothing for another index.
std::optional<int> sizeOf(int index);

// Another index changes no size, yet still counts as a change.
void chooseFontSize(const MedicationList &list, ListHistory &history, int index);
// The bold mark before the choice decides the direction.
void toggleBold(const MedicationList &list, ListHistory &history);

} // namespace DisplayOptions
