#include "DisplayOptions.h"

#include "ListHistory.h"
#include "MedicationList.h"

namespace DisplayOptions {

void chooseFontSize(const MedicationList &list, ListHistory &history, int index)
{
    int size = list.settings().fontSize;
    if (index == 0)
        size = StandardSize;
    else if (index == 1)
        size = LargeSize;
    history.setFonts(size, list.settings().bold);
}

void toggleBold(const MedicationList &list, ListHistory &history)
{
    history.setFonts(list.settings().fontSize, !list.settings().bold);
}

} // namespace DisplayOptions
