#pragma once

#include "ListCommandsHost.h"
#include "MedicationList.h"
#include "StorableText.h"
#include "TextMeasurer.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class AddressOpener;
class CellEditor;
class ListCommands;
class Prompter;

class Clock;
class MedicationGrid;
class PrinterService;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// What the main window needs from outside: where the program lives and the
// services that tests replace.
struct MainWindowServices
{
    QString programFolder;
    const Clock *clock = nullptr;
    const PrinterService *printers = nullptr;
    Prompter *prompter = nullptr;
    AddressOpener *addressOpener = nullptr;
};

// The main window: the open list in a grid with the general notes beneath,
// the list and row button strips above, the in-place editors, the pop-up
// menus and the 50 ms status timer.
class Form1 : public QWidget, public ListCommandsHost
{
    Q_OBJECT

public:
    enum ListButton { NewButton, DeleteButton, SaveButton, CalendarButton, PrintButton, FontButton,
                      HelpButton };
    enum RowButton { UpButton, DownButton, DeleteRowButton, LookupButton };

    explicit Form1(const MainWindowServices &services, QWidget *parent = nullptr);
    ~Form1() override;

    MedicationList &list() { return m_list; }
    ListCommands &commands() { return *m_commands; }
    bool EditingCell() const;
    MedicationGrid *grid() const { return Grid1; }
    QFont measuringFont() const { return m_measuringFont; }
    int LastMarkedRow() const { return m_lastMarkedRow; }

    void SetColumnWidths();
    void ClearList() override;
    void PositionCellEditor();
    void ApplyFontSize(int size);
    void ApplyBold(bool on);
    void HighlightRefillDates();

    // The status timer's work, run every 50 ms.
    void updateStatus();

    // The pop-up menus' choices.
    void chooseFontSize(int index);
    void toggleBold();

    // In-place cell editing.
    void commitEdit();

    // The row commands.
    void onRowButton(int index);

    // Design font of the window's controls.
    static QFont standardFont();

    // What the list commands need of the window.
    void commitOpenEdit() override { commitEdit(); }
    QStringList listNames() const override;
    QString chosenListName() const override;
    int chosenListIndex() const override;
    void addListName(const QString &name) override;
    void chooseListIndex(int index) override;
    void removeChosenListName() override;
    void leaveMaximized() override;
    void storeWindowGeometry() override;
    void showLoadedList(const ListFileReadResult *read) override;
    void showEmptyList() override;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createMenus();
    void setTabOrder();
    void startUp();
    void layoutControls();
    void fitColumns(int pageWidth);
    void onListButton(int index);
    void changeListFonts(const std::function<void(QFont &)> &change);
    QDate today() const;
    bool isListOpen() const;
    void followListOpen();
    void highlightRefillDates(int firstRow, int lastRow);
    void moveRow(int offset);
    void deleteRow();
    void lookUpMedicine();

    MainWindowServices m_services;
    MedicationList m_list;
    QFont m_measuringFont;
    // Lives as long as the list's font, so that widths measured once are kept.
    FontTextMeasurer m_measurer;
    int m_lastMarkedRow = 0;
    CellEditor *m_cellEditor = nullptr;
    std::unique_ptr<ListCommands> m_commands;
    // Used when the caller brings none, as the program itself does.
    std::unique_ptr<Prompter> m_ownPrompter;
    std::unique_ptr<AddressOpener> m_ownAddressOpener;

public:
    // Controls under the names the program gives them.
    QFrame *Picture1 = nullptr;
    QFrame *Picture2 = nullptr;
    std::array<QPushButton *, 7> Command1{};
    std::array<QPushButton *, 4> Command2{};
    QComboBox *cboLoad = nullptr;
    MedicationGrid *Grid1 = nullptr;
    QLineEdit *Text1 = nullptr;
    StorableTextEdit *Text3 = nullptr;
    StorableTextEdit *Text2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Image1 = nullptr;
    QTimer *Timer1 = nullptr;
    QMenu *mnuFont = nullptr;
    QMenu *mnuFontSize = nullptr;
    std::array<QAction *, 2> mnuFontSizeOp{};
    QAction *mnuBold = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuHelpOp = nullptr;
};
