#include "DisplayOptions.h"

#include "ListHistory.h"
#include "MedicationList.h"

namespace DisplayOptions {

std::optional<int> sizeOf(int index)
{
    switch (index) {
    case StandardItem:
        return StandardSize;
    case LargeItem:
        return LargeSize;
    default:
        return std::nullopt;
    }
}

void chooseFontSize(const MedicationList &list, ListHistory &history, int index)
{
    history.setFonts(sizeOf(index).value_or(list.settings().fontSize), list.settings().bold);
}

void toggleBold(const MedicationList &list, ListHistory &history)
{
    history.setFonts(list.settings().fontSize, !list.settings().bold);
}

} // namespace DisplayOptions
