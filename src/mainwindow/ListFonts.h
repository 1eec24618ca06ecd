#pragma once

#include <functional>

struct Form1Ui;
struct ListSettings;
class ListTextMeasurer;
class QFont;

// The open list's fonts: the grid's, the window's measuring font and those
// of Text1 and Text2, with the Font menu's marks, which only this sets.
// Only their size and boldness follow the list; Text3, the buttons and the
// label keep the design font whatever the list's settings.
class ListFonts
{
public:
    // Starts from the design font, with Standard marked.
    ListFonts(const Form1Ui &ui, ListTextMeasurer &measurer);

    void ApplyFontSize(int size);
    void ApplyBold(bool on);
    // The fonts of a list just read. A file that stores no size keeps the
    // fonts as they are, marking the size the list will be saved with.
    void showLoaded(const ListSettings &settings, bool fontSizeStored);
    // Changes what differs from the settings, as after an undo.
    void follow(const ListSettings &settings);

private:
    void change(const std::function<void(QFont &)> &change);
    void markSize(int size);

    const Form1Ui &m_ui;
    ListTextMeasurer &m_measurer;
};
