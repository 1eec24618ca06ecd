#pragma once

#include "Doubles.h"
#include "LineWrapper.h"
#include "PrintCommand.h"
#include "PrintHost.h"
#include "PrinterService.h"
#include "TextMeasurer.h"
#include "frmPrinterSelect.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include <functional>

// Every character is 100 twips wide, so wrapping is worked out by counting.
class CharacterMeasurer : public TextMeasurer
{
public:
    double width(const QString &text) const override
    {
        qsizetype widest = 0;
        for (const QString &line : LineWrapper::userLines(text))
            widest = std::max(widest, line.size());
        return 100.0 * double(widest);
    }
    double height(const QString &text) const override
    {
        return 200.0 * double(LineWrapper::userLines(text).size());
    }
};

// The main window as printing sees it, with the list "Mum": its columns are
// 1600 twips wide, each fitting notes the page width, row 1's Name is in an editor.
// Texts are measured by counting characters unless a measuring font is given.
class StandInWindow : public PrintHost
{
public:
    explicit StandInWindow(PrinterService &printer, const TextMeasurer *measuringFont = nullptr)
        : printer(printer), measurer(measuringFont ? *measuringFont : characters)
    {
        list.writeHeaderTexts();
        list.setCurrentListName("Mum");
        list.setSettings({});
    }
    PrinterService &printer;
    MedicationList list;
    CharacterMeasurer characters;
    const TextMeasurer &measurer;
    TestClock clock;
    ScriptedPrompter prompter;
    PrintCommand command{list, printer, measurer, clock, prompter};
    QString openEdit = "A";
    QList<int> fittedToPageWidths;

    bool listChosen() const override { return true; }
    void commitOpenEdit() override { list.setCell(1, MedicationList::NameColumn, openEdit); }
    void SetColumnWidths() override { fittedToPageWidths << printer.pageWidth(); }
    int columnWidth(int) const override { return 1600; }

    // Prints, acting in the dialog by steps ("choose X", "landscape", "print", "cancel", "enter",
    // "esc"; others go to other); what they leave open, the close box closes.
    void print(const QStringList &steps, const std::function<void(const QString &)> &other = {})
    {
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<frmPrinterSelect *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            timer.stop();
            auto *box = dialog->findChild<QComboBox *>("cboPrinter");
            const QMap<QString, QString> buttons{
                {"landscape", "Option1_1"}, {"print", "cmdSelect_0"}, {"cancel", "cmdSelect_1"}};
            for (const QString &step : steps) {
                if (step.startsWith("choose "))
                    box->setCurrentIndex(box->findText(step.section(u' ', 1)));
                else if (buttons.contains(step))
                    dialog->findChild<QAbstractButton *>(buttons[step])->click();
                else if (step == "enter" || step == "esc")
                    QTest::keyClick(dialog, step == "esc" ? Qt::Key_Escape : Qt::Key_Return);
                else
                    other(step);
            }
            if (dialog->isVisible())
                dialog->close();
        });
        timer.start(5);
        command.PrintList(*this, nullptr);
    }
};
