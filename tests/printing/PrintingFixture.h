#pragma once

#include "Doubles.h"
#include "MedicationList.h"
#include "PrintCommand.h"
#include "PrintHost.h"
#include "PrinterService.h"
#include "TextMeasurer.h"
#include "frmPrinterSelect.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

// Every character is 100 twips wide, so wrapping is worked out by counting.
class CharacterMeasurer : public TextMeasurer
{
public:
    double width(const QString &text) const override { return 100.0 * double(text.size()); }
    double height(const QString &) const override { return 200; }
};

// The main window as printing sees it: each fitting of the columns notes the
// page width it was for, and row 1's Name comes from an open editor.
class TestHost : public PrintHost
{
public:
    TestHost(const PrinterService &printer, MedicationList &list) : m_printer(printer), m_list(list)
    {}
    QString openEdit;
    QList<int> fittedToPageWidths;

    bool listChosen() const override { return true; }
    void commitOpenEdit() override { m_list.setCell(1, MedicationList::NameColumn, openEdit); }
    void SetColumnWidths() override { fittedToPageWidths << m_printer.pageWidth(); }
    int columnWidth(int) const override { return 1600; }

private:
    const PrinterService &m_printer;
    MedicationList &m_list;
};

inline void startList(MedicationList &list, const QString &name = QStringLiteral("Mum"))
{
    list.writeHeaderTexts();
    list.setCurrentListName(name);
    list.setSettings({});
}

// Runs the Print command, acting in its printer dialog as a person does:
// "choose NAME", "landscape", "print", "cancel", "enter", "esc"; other steps
// go to other. What the steps leave open, the person closes with the close box.
inline void printWith(PrintCommand &command, PrintHost &host, const QStringList &steps,
                      const std::function<void(const QString &)> &other = {})
{
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<frmPrinterSelect *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer.stop();
        auto *box = dialog->findChild<QComboBox *>("cboPrinter");
        for (const QString &step : steps) {
            if (step.startsWith("choose "))
                box->setCurrentIndex(box->findText(step.section(u' ', 1)));
            else if (step == "landscape")
                dialog->findChild<QRadioButton *>("Option1_1")->click();
            else if (step == "print" || step == "cancel")
                QTest::mouseClick(dialog->findChild<QPushButton *>(step == "print" ? "cmdSelect_0"
                                                                                   : "cmdSelect_1"),
                                  Qt::LeftButton);
            else if (step == "enter" || step == "esc")
                QTest::keyClick(dialog, step == "esc" ? Qt::Key_Escape : Qt::Key_Return);
            else
                other(step);
        }
        if (dialog->isVisible())
            dialog->close();
    });
    timer.start(5);
    command.PrintList(host, nullptr);
}
