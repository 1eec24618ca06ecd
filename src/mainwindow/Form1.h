#pragma once

#include "Form1Ui.h"
#include "ListCommandsHost.h"
#include "PrintHost.h"

#include <QDate>
#include <QHash>
#include <QWidget>

class AddressOpener;
class CellEditor;
class Clock;
class FileAssociations;
class FontTextMeasurer;
class ListCommands;
class ListStore;
class MedicationList;
class PrintCommand;
class PrinterService;
class Prompter;
class RowCommands;

// What the main window shows and acts through. The program builds each of
// them once, and they outlive the window.
struct MainWindowParts
{
    MedicationList &list;
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
    FontTextMeasurer &measurer;
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
    void changeListFonts(const std::function<void(QFont &)> &change);
    QString refillDateHint(const QString &text) const;
    bool isListOpen() const;
    void followListOpen();
    void highlightRefillDates(int firstRow, int lastRow);
    void onListButton(int index);
    void onRowButton(int index);
    void chooseFontSize(int index);
    void toggleBold();
    int titleBarHeight() const;
    QList<QRect> availableScreens() const;

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
    mutable QHash<QString, QString> m_dateHints;
    mutable QDate m_hintsDay;
    MedicationList &m_list;
    Form1Ui m_ui;
    CellEditor *m_cellEditor = nullptr;
};
