#pragma once

#include "Form1Ui.h"
#include "ListCommandsHost.h"
#include "ListHistory.h"
#include "PrintHost.h"

#include <QWidget>

#include <memory>

class AddressOpener;
class CellEditor;
class Clock;
class FileAssociations;
class ListCommands;
class ListFonts;
class ListStore;
class ListTextMeasurer;
class ListWindowGeometry;
class MedicationList;
class PrintCommand;
class PrinterService;
class Prompter;
class RefillHighlighter;
class RowCommands;

// What the main window shows and acts through. The program builds each of
// them once, and they outlive the window.
struct MainWindowParts
{
    MedicationList &list;
    // The open list's changes, for undo and redo.
    ListHistory &history;
    const ListStore &store;
    ListCommands &listCommands;
    RowCommands &rowCommands;
    PrintCommand &printCommand;
    const Clock &clock;
    Prompter &prompter;
    AddressOpener &addressOpener;
    const FileAssociations &fileAssociations;
    PrinterService &printers;
    // The window's measuring font lives here, kept at the grid's size and
    // boldness, so that printing measures what the grid shows.
    ListTextMeasurer &measurer;
};

// The main window: the open list in a grid with the general notes beneath,
// the list and row button strips above, the in-place editors, the pop-up
// menus and the 50 ms status timer. It shows the list and hands the user's
// actions to the commands.
class Form1 : public QWidget, private ListCommandsHost, private PrintHost
{
    Q_OBJECT

public:
    explicit Form1(const MainWindowParts &parts, QWidget *parent = nullptr);
    ~Form1() override;

    // The one place where the grid's columns and rows are fitted: to their
    // texts and the printer's page width, then Notes widened to fill the
    // grid.
    void SetColumnWidths() override;
    void ClearList() override;
    void PositionCellEditor();
    void ApplyFontSize(int size);
    void ApplyBold(bool on);
    void HighlightRefillDates();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectControls();
    void startUp();
    bool isListOpen() const;
    void followListOpen();
    void highlightRefillDates(int firstRow, int lastRow);
    void onListButton(int index);
    void onRowButton(int index);
    void chooseFontSize(int index);
    void toggleBold();
    void undoOrRedo(bool redo);
    void showStep(const ListHistory::Step &step);

    // ListCommandsHost and PrintHost
    void commitOpenEdit() override;
    QStringList listNames() const override;
    QString chosenListName() const override;
    int chosenListIndex() const override;
    void setListNames(const QStringList &names, int chosen) override;
    void chooseListIndex(int index) override;
    void leaveMaximized() override;
    void storeWindowGeometry() override;
    void showLoadedList(const ListFileReadResult *read) override;
    void showEmptyList() override;
    bool listChosen() const override;
    int columnWidth(int column) const override;

    MainWindowParts m_parts;
    MedicationList &m_list;
    Form1Ui m_ui;
    CellEditor *m_cellEditor = nullptr;
    std::unique_ptr<RefillHighlighter> m_refillDates;
    std::unique_ptr<ListFonts> m_fonts;
    std::unique_ptr<ListWindowGeometry> m_geometry;
};
