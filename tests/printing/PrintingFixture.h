#pragma once

#include "Doubles.h"
#include "MedicationList.h"
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
    bool chosen = true;
    QString openEdit;
    QList<int> fittedToPageWidths;
    int width = 1200;

    bool listChosen() const override { return chosen; }
    void commitOpenEdit() override { m_list.setCell(1, MedicationList::NameColumn, openEdit); }
    void SetColumnWidths() override { fittedToPageWidths << m_printer.pageWidth(); }
    int columnWidth(int) const override { return width; }

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

// Acts on the printer dialog once it shows modally, one step as a person
// does: "choose NAME", "landscape", "print", "cancel", "enter", "esc". What
// the steps leave open, the person closes with the close box.
class DialogScript
{
public:
    explicit DialogScript(const QStringList &steps, std::function<void(QString)> other = {})
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, steps, other] {
            auto *dialog = qobject_cast<frmPrinterSelect *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_timer.stop();
            auto *box = dialog->findChild<QComboBox *>("cboPrinter");
            for (const QString &step : steps) {
                if (step.startsWith("choose "))
                    box->setCurrentIndex(box->findText(step.section(u' ', 1)));
                else if (step == "landscape")
                    dialog->findChild<QRadioButton *>("Option1_1")->click();
                else if (step == "print" || step == "cancel")
                    QTest::mouseClick(dialog->findChild<QPushButton *>(
                                          step == "print" ? "cmdSelect_0" : "cmdSelect_1"),
                                      Qt::LeftButton);
                else if (step == "enter" || step == "esc")
                    QTest::keyClick(dialog, step == "esc" ? Qt::Key_Escape : Qt::Key_Return);
                else
                    other(step);
            }
            if (dialog->isVisible())
                dialog->close();
        });
        m_timer.start(5);
    }

private:
    QTimer m_timer;
};
