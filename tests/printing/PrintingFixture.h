#pragma once

#include "Clock.h"
#include "MedicationList.h"
#include "PrintHost.h"
#include "PrinterService.h"
#include "Prompter.h"
#include "TextMeasurer.h"
#include "frmPrinterSelect.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>

class FixedClock : public Clock
{
public:
    QDate today() const override { return QDate(2026, 12, 1); }
};

// Every character is 100 twips wide and every line 200 high, so expected
// wrapping is worked out by counting characters.
class CharacterMeasurer : public TextMeasurer
{
public:
    double width(const QString &text) const override
    {
        qsizetype widest = 0;
        for (const QString &line : QString(text).replace("\r\n", "\n").split(u'\n'))
            widest = std::max(widest, line.size());
        return 100.0 * double(widest);
    }
    double height(const QString &text) const override
    {
        return 200.0 * double(text.count(QStringLiteral("\r\n")) + 1);
    }
};

// Logs every message and the file dialog as "<kind> <title>: <text>"; the
// file dialog answers from a queue, and fails the test when it is empty.
class ScriptedPrompter : public Prompter
{
public:
    QStringList log;
    QStringList fileAnswers;

    bool askYesNo(const QString &, const QString &) override { return false; }
    QString askText(const QString &, const QString &) override { return {}; }
    void inform(const QString &text, const QString &title) override
    {
        log << "inform " + title + ": " + text;
    }
    void warn(const QString &text, const QString &title) override
    {
        log << "warn " + title + ": " + text;
    }
    void tell(const QString &text, const QString &title) override
    {
        log << "tell " + title + ": " + text;
    }
    QString askSaveFileName(const QString &title, const QString &suggested,
                            const QString &) override
    {
        log << "save " + title + ": " + suggested;
        if (fileAnswers.isEmpty())
            QTest::qFail("Unexpected file question", __FILE__, __LINE__);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    }
};

// The main window as printing sees it: the grid's widths are set by the
// test, and each fitting of the columns notes the page width it was for.
class TestHost : public PrintHost
{
public:
    explicit TestHost(const PrinterService &printer) : m_printer(printer) {}

    bool chosen = true;
    // What an open editor holds for row 1's Name, with the list it edits.
    QString openEdit;
    MedicationList *list = nullptr;
    QList<int> fittedToPageWidths;
    std::array<int, MedicationList::ColumnCount> widths{480, 1200, 1200, 1200, 1200, 1200, 0};

    bool listChosen() const override { return chosen; }
    void commitOpenEdit() override
    {
        if (!openEdit.isEmpty())
            list->setCell(1, MedicationList::NameColumn, openEdit);
    }
    void SetColumnWidths() override { fittedToPageWidths << m_printer.pageWidth(); }
    int columnWidth(int column) const override { return widths.at(column); }

private:
    const PrinterService &m_printer;
};

// An open list with its header texts, its name and the Standard font size.
inline void startList(MedicationList &list, const QString &name = QStringLiteral("Mum"))
{
    list.writeHeaderTexts();
    list.setCurrentListName(name);
    list.setSettings({});
}

// Acts on the printer dialog once it shows modally, as a person would.
class DialogScript
{
public:
    explicit DialogScript(std::function<void(frmPrinterSelect &)> action)
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this, action] {
            if (auto *dialog =
                    qobject_cast<frmPrinterSelect *>(QApplication::activeModalWidget())) {
                m_timer.stop();
                ++shown;
                action(*dialog);
                // A script that leaves it open fails its test instead of hanging it.
                if (dialog->isVisible())
                    dialog->reject();
            }
        });
        m_timer.start(5);
    }
    int shown = 0;

private:
    QTimer m_timer;
};

template <typename T> T *control(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("No control %s", name);
    return found;
}
