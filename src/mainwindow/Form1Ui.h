#pragma once

#include <QFont>

#include <array>
#include <functional>

class MedicationGrid;
class MedicationList;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSize;
class QTimer;
class QWidget;
class StorableTextEdit;

// The main window's controls under the names the program gives them, built
// with their captions, tooltips and initial states, and placed as designed.
struct Form1Ui
{
    enum ListButton
    {
        NewButton,
        DeleteButton,
        SaveButton,
        CalendarButton,
        PrintButton,
        FontButton,
        HelpButton
    };
    enum RowButton
    {
        UpButton,
        DownButton,
        DeleteRowButton,
        LookupButton
    };

    // MS Sans Serif 8.25 pt, the design font of the window's controls.
    static QFont standardFont();

    void setupUi(QWidget &window, MedicationList &list,
                 std::function<QString(const QString &)> checkRefillDate);
    // Follows the window's client area, as its resize rule says.
    void layOut(const QSize &clientArea);
    // The smallest client area at which every control keeps its place, in
    // pixels: the strips hold their buttons, and the grid shows its header
    // row and one row below it.
    QSize minimumClientArea() const;

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
    // The window's keyboard shortcuts, wherever the focus is in it.
    QAction *actUndo = nullptr;
    QAction *actRedo = nullptr;
    QAction *actNew = nullptr;
    QAction *actSave = nullptr;
    QAction *actPrint = nullptr;
    QAction *actHelp = nullptr;
    QAction *actClose = nullptr;
    QAction *actChooseList = nullptr;

    // Opens the Font or the Help menu under its button, whether the button
    // was pressed with the mouse or the keyboard.
    void popUpMenu(ListButton button) const;

private:
    void createButtons();
    void createMenus(QWidget &window);
    void createShortcuts(QWidget &window);
    void nameForScreenReaders();
    void placeAsDesigned(QWidget &window);
};
