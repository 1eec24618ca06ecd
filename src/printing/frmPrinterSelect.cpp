#include "frmPrinterSelect.h"

#include "MedicationList.h"
#include "PrintChoices.h"
#include "PrinterService.h"
#include "Prompter.h"
#include "Twips.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

QFont dialogFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

} // namespace

frmPrinterSelect::frmPrinterSelect(PrinterService &printers, MedicationList &list,
                                   PrintChoices &choices, Prompter &prompter, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_printers(printers), m_list(list), m_choices(choices), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmPrinterSelect"));
    setWindowTitle(QStringLiteral("Printer Setup"));
    setModal(true);
    setFont(dialogFont());
    setFixedSize(Twips::toPixels(ClientWidth), Twips::toPixels(ClientHeight));
    // A frame's caption sits on its border, so the controls placed inside
    // clear the line.
    setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
    createControls();
    fillPrinters();
}

void frmPrinterSelect::createControls()
{
    Frame1 = new QGroupBox(QStringLiteral("Select Printer"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::toPixels({120, 120, 3255, 735}));

    cboPrinter = new QComboBox(Frame1);
    cboPrinter->setObjectName(QStringLiteral("cboPrinter"));
    cboPrinter->setGeometry(Twips::toPixels({120, 240, 3015, 315}));
    // Screen readers on Linux name a combo box by its frame and the
    // printer chosen; these names serve the others and the list.
    cboPrinter->setAccessibleName(QStringLiteral("Printer"));
    cboPrinter->view()->setAccessibleName(QStringLiteral("Printers"));
    connect(cboPrinter, &QComboBox::currentIndexChanged, this, &frmPrinterSelect::onPrinterChosen);

    Frame2 = new QGroupBox(QStringLiteral("Select Orientation"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setGeometry(Twips::toPixels({120, 1080, 3255, 615}));

    // One frame holds both, so exactly one of them is chosen.
    Option1[0] = new QRadioButton(QStringLiteral("Portrait"), Frame2);
    Option1[0]->setObjectName(QStringLiteral("Option1_0"));
    Option1[0]->setGeometry(Twips::toPixels({240, 240, 1455, 255}));
    Option1[0]->setChecked(true);
    Option1[1] = new QRadioButton(QStringLiteral("Landscape"), Frame2);
    Option1[1]->setObjectName(QStringLiteral("Option1_1"));
    Option1[1]->setGeometry(Twips::toPixels({1800, 240, 1335, 255}));

    const char *captions[] = {"&Print", "&Cancel"};
    const int lefts[] = {600, 1800};
    for (int index = 0; index < 2; ++index) {
        cmdSelect[index] = new QPushButton(QString::fromLatin1(captions[index]), this);
        cmdSelect[index]->setObjectName(QStringLiteral("cmdSelect_%1").arg(index));
        cmdSelect[index]->setGeometry(Twips::toPixels({lefts[index], 1920, 1095, 405}));
        connect(cmdSelect[index], &QPushButton::clicked, this, [this, index] { onSelect(index); });
    }
    cmdSelect[0]->setDefault(true);
    // Print waits for a printer; Cancel is a way out at any time.
    cmdSelect[0]->setEnabled(false);

    const QList<QWidget *> order{cmdSelect[0], cboPrinter, Option1[1], Option1[0], cmdSelect[1]};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmPrinterSelect::fillPrinters()
{
    cboPrinter->addItems(m_printers.installedPrinters());
    cboPrinter->setCurrentIndex(-1);
    // A saved printer that is no longer installed selects nothing, so the
    // user can still choose another printer or cancel.
    const QString saved = m_list.ListPrinterName();
    if (!saved.isEmpty())
        cboPrinter->setCurrentIndex(cboPrinter->findText(saved));
}

void frmPrinterSelect::onPrinterChosen(int index)
{
    cmdSelect[0]->setEnabled(index >= 0);
}

bool frmPrinterSelect::SelectPrinterByName(const QString &name)
{
    const QStringList printers = m_printers.installedPrinters();
    for (const QString &deviceName : printers) {
        if (deviceName == name) {
            m_list.setListPrinterName(name);
            m_list.setChangesMade(true);
            m_printers.setCurrentPrinter(name);
            return false;
        }
    }
    return true;
}

void frmPrinterSelect::onSelect(int index)
{
    if (index == 1) {
        m_choices.CancelPrint = true;
        reject();
        return;
    }
    if (SelectPrinterByName(cboPrinter->currentText())) {
        m_prompter.tell(QStringLiteral("Printer not found"), QStringLiteral("Message"));
        return;
    }
    m_choices.PrintLandscape = Option1[0]->isChecked() ? 0 : 1;
    accept();
}

void frmPrinterSelect::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// Esc presses Cancel, which tells the Print command not to print; the
// dialog's own Esc would only hide it.
void frmPrinterSelect::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdSelect[1]->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Print and Cancel close the dialog without a close event; this one is the
// user's close box.
void frmPrinterSelect::closeEvent(QCloseEvent *event)
{
    m_choices.CancelPrint = true;
    QDialog::closeEvent(event);
}
