#pragma once

#include "Clock.h"
#include "MedicationList.h"
#include "PrintHost.h"
#include "PrinterService.h"
#include "Prompter.h"
#include "TextMeasurer.h"
#include "frmPrinterSelect.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <array>
#include <functional>

inline const QDate Today(2026, 12, 1);

class FixedClock : public Clock
{
public:
    QDate today() const override { return Today; }
};

// Every character is 100 twips wide and every line 200 high, so the
// expected wrapping can be worked out by counting characters.
class CharacterMeasurer : public TextMeasurer
{
public:
    static constexpr double CharacterWidth = 100;
    double width(const QString &text) const override
    {
        qsizetype widest = 0;
        for (const QString &line : lines(text))
            widest = std::max(widest, line.size());
        return CharacterWidth * double(widest);
    }
    double height(const QString &text) const override { return 200.0 * double(lines(text).size()); }

private:
    static QStringList lines(const QString &text)
    {
        QString unified = text;
        unified.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        return unified.split(u'\n');
    }
};

// Logs every message as "<kind> <title>: <text>" and answers the file
// dialog from a queue; a file question nobody queued an answer for fails.
class ScriptedPrompter : public Prompter
{
public:
    QStringList log;
    QStringList fileAnswers;

    bool askYesNo(const QString &text, const QString &title) override
    {
        log << "ask " + title + ": " + text;
        return false;
    }
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
    QString askText(const QString &prompt, const QString &title) override
    {
        log << "input " + title + ": " + prompt;
        return {};
    }
    QString askSaveFileName(const QString &title, const QString &suggestedPath,
                            const QString &) override
    {
        log << "save " + title + ": " + suggestedPath;
        if (fileAnswers.isEmpty()) {
            QTest::qFail("Unexpected file question", __FILE__, __LINE__);
            return {};
        }
        return fileAnswers.takeFirst();
    }
};

// The main window as printing sees it: the grid's widths are fixed, and
// each fitting of the columns notes the page width it was made for.
class TestHost : public PrintHost
{
public:
    explicit TestHost(const PrinterService &printer) : m_printer(printer) {}

    bool chosen = true;
    // What an open editor holds for row 1's Name; committed on request.
    QString openEdit;
    MedicationList *list = nullptr;
    int commits = 0;
    QList<int> fittedToPageWidths;
    std::array<int, MedicationList::ColumnCount> widths{480, 1200, 1200, 1200, 1200, 1200, 0};

    bool listChosen() const override { return chosen; }
    void commitOpenEdit() override
    {
        ++commits;
        if (!openEdit.isEmpty() && list)
            list->setCell(1, MedicationList::NameColumn, openEdit);
        openEdit.clear();
    }
    void SetColumnWidths() override { fittedToPageWidths << m_printer.pageWidth(); }
    int columnWidth(int column) const override { return widths.at(column); }

private:
    const PrinterService &m_printer;
};

// An open list with its header texts, named and with its table font.
inline void startList(MedicationList &list, const QString &name = QStringLiteral("Mum"))
{
    list.writeHeaderTexts();
    list.setCurrentListName(name);
    ListSettings settings;
    settings.fontSize = 8;
    list.setSettings(settings);
}

// Acts on the printer dialog as soon as it is shown modally: a person at the
// real dialog, for the flows that run through it.
class DialogScript
{
public:
    using Action = std::function<void(frmPrinterSelect &)>;

    explicit DialogScript(Action action) : m_action(std::move(action))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<frmPrinterSelect *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_timer.stop();
            ++shown;
            m_action(*dialog);
        });
        m_timer.start();
    }

    int shown = 0;

private:
    Action m_action;
    QTimer m_timer;
};

template <typename T> T *control(QWidget &window, const char *name)
{
    T *found = window.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("No control %s", name);
    return found;
}
