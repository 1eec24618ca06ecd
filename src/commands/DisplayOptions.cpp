#include "DisplayOptions.h"

#include "MedicationList.h"

namespace DisplayOptions {

void chooseFontSize(MedicationList &list, int index)
{
    ListSettings settings = list.settings();
    if (index == 0)
        settings.fontSize = StandardSize;
    else if (index == 1)
        settings.fontSize = LargeSize;
    list.setSettings(settings);
    list.setChangesMade(true);
}

void toggleBold(MedicationList &list)
{
    ListSettings settings = list.settings();
    settings.bold = !settings.bold;
    list.setSettings(settings);
    list.setChangesMade(true);
}

} // namespace DisplayOptions
