#pragma once

#include <QDialog>

#include <array>

class MedicationList;
class PrinterService;
class Prompter;
class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
struct PrintChoices;

// The printer and orientation dialog the Print command shows first. Made
// anew for each print, so it remembers nothing between uses: the printer
// choice lives on with the list as its printer name.
class frmPrinterSelect : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 3495;
    static constexpr int ClientHeight = 2460;

    frmPrinterSelect(PrinterService &printers, MedicationList &list, PrintChoices &choices,
                     Prompter &prompter, QWidget *owner = nullptr);

    // Makes the named printer current and remembers it with the list;
    // true when no installed printer has that name.
    bool SelectPrinterByName(const QString &name);

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void fillPrinters();
    void onPrinterChosen(int index);
    void onSelect(int index);

    PrinterService &m_printers;
    MedicationList &m_list;
    PrintChoices &m_choices;
    Prompter &m_prompter;

    QGroupBox *Frame1 = nullptr;
    QComboBox *cboPrinter = nullptr;
    QGroupBox *Frame2 = nullptr;
    std::array<QRadioButton *, 2> Option1{};
    std::array<QPushButton *, 2> cmdSelect{};
};
