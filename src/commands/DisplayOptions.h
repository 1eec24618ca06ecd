#pragma once

#include "ListSettings.h"

class MedicationList;

// The Font menu's choices. They belong to the open list: its settings take
// them and it is marked changed, even by a choice that changes nothing.
namespace DisplayOptions {

// The menu's sizes: 0 Standard, 1 Large.
constexpr int StandardSize = ListSettings::StandardFontSize;
constexpr int LargeSize = ListSettings::LargeFontSize;

// Another index changes no size, yet still counts as a change.
void chooseFontSize(MedicationList &list, int index);
// The bold mark before the choice decides the direction.
void toggleBold(MedicationList &list);

} // namespace DisplayOptions
