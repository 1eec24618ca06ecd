#pragma once

// What the printer dialog hands to the Print command.
struct PrintChoices
{
    // The user called the print off; the Print command resets it once seen.
    bool CancelPrint = false;
    // 1 when Landscape was chosen, 0 for Portrait.
    int PrintLandscape = 0;
};
