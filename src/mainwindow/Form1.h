#pragma once

#include "MedicationList.h"

#include <QFont>
#include <QWidget>

#include <array>

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
};

// The main window: the open list in a grid with the general notes beneath,
// the list and row button strips above, the in-place editors, the pop-up
// menus and the 50 ms status timer.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    enum ListButton { NewButton, DeleteButton, SaveButton, CalendarButton, PrintButton, FontButton,
                      HelpButton };
    enum RowButton { UpButton, DownButton, DeleteRowButton, LookupButton };

    explicit Form1(const MainWindowServices &services, QWidget *parent = nullptr);
    ~Form1() override;

    MedicationList &list() { return m_list; }
    MedicationGrid *grid() const { return Grid1; }
    QFont measuringFont() const { return m_measuringFont; }
    int LastMarkedRow() const { return m_lastMarkedRow; }

    void SetColumnWidths();
    void ClearList();
    void PositionCellEditor();
    void ApplyFontSize(int size);
    void ApplyBold(bool on);
    void HighlightRefillDates();

    // The status timer's work, run every 50 ms.
    void updateStatus();

    // The pop-up menus' choices.
    void chooseFontSize(int index);
    void toggleBold();

    // Design font of the window's controls.
    static QFont standardFont();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls();
    void createMenus();
    void setTabOrder();
    void startUp();
    void layoutControls();
    void onListButton(int index);

    MainWindowServices m_services;
    MedicationList m_list;
    QFont m_measuringFont;
    int m_lastMarkedRow = 0;
    bool m_editingCell = false;

public:
    // Controls under the names the program gives them.
    QFrame *Picture1 = nullptr;
    QFrame *Picture2 = nullptr;
    std::array<QPushButton *, 7> Command1{};
    std::array<QPushButton *, 4> Command2{};
    QComboBox *cboLoad = nullptr;
    MedicationGrid *Grid1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPlainTextEdit *Text3 = nullptr;
    QPlainTextEdit *Text2 = nullptr;
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
