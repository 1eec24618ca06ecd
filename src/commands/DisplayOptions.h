#pragma once

#include "ListSettings.h"

class ListHistory;
class MedicationList;

// The Font menu's choices. They belong to the open list: its settings take
// them, through its history so that they can be undone, and it is marked
// changed, even by a choice that changes nothing.
namespace DisplayOptions {

// The menu's sizes: 0 Standard, 1 Large.
constexpr int StandardSize = ListSettings::StandardFontSize;
constexpr int LargeSize = ListSettings::LargeFontSize;

// Another index changes no size, yet still counts as a change.
void chooseFontSize(const MedicationList &list, ListHistory &history, int index);
// The bold mark before the choice decides the direction.
void toggleBold(const MedicationList &list, ListHistory &history);

} // namespace DisplayOptions
