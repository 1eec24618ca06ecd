#pragma once

#include "WindowLayout.h"

#include <array>

// The main window as it was designed, in twips: its client area, where each
// control stands (controls in a strip are placed within the strip), and the
// order in which Tab walks them. Controls are named as the program names
// them; a button of an array carries its index after an underscore.
namespace MainWindowDesign {

constexpr int ClientWidth = 11550;
constexpr int ClientHeight = 7980;

struct Place
{
    const char *objectName;
    TwipsRect rect;
};

inline constexpr std::array Places{
    Place{"Picture1", {120, 120, 9735, 375}}, Place{"Command1_0", {0, 0, 960, 315}},
    Place{"cboLoad", {960, 0, 2415, 315}},    Place{"Command1_2", {3360, 0, 960, 315}},
    Place{"Command1_1", {4320, 0, 960, 315}}, Place{"Command1_4", {5280, 0, 960, 315}},
    Place{"Command1_3", {6240, 0, 960, 315}}, Place{"Command1_5", {7200, 0, 960, 315}},
    Place{"Command1_6", {8160, 0, 960, 315}}, Place{"Picture2", {120, 600, 9735, 375}},
    Place{"Command2_0", {0, 0, 975, 315}},    Place{"Command2_1", {960, 0, 975, 315}},
    Place{"Command2_2", {1920, 0, 975, 315}}, Place{"Command2_3", {2880, 0, 975, 315}},
    Place{"Grid1", {120, 1080, 9735, 4335}},  Place{"Text1", {4440, 3600, 1215, 285}},
    Place{"Text3", {4440, 3960, 1215, 285}},  Place{"Label3", {120, 5520, 2175, 255}},
    Place{"Text2", {120, 5760, 5055, 1455}},  Place{"Image1", {600, 7560, 240, 240}},
};

// Tab walks the controls as they stand on screen: the list strip left to
// right, the row strip, the grid with its editors, the general notes.
inline constexpr std::array TabOrder{
    "Command1_0", "cboLoad",    "Command1_2", "Command1_1", "Command1_4", "Command1_3",
    "Command1_5", "Command1_6", "Command2_0", "Command2_1", "Command2_2", "Command2_3",
    "Grid1",      "Text1",      "Text3",      "Text2",
};

} // namespace MainWindowDesign
