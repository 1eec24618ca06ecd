#pragma once

#include "AddressOpener.h"
#include "Clock.h"
#include "Form1.h"
#include "ListCommands.h"
#include "MedicationGrid.h"
#include "MedicationTableModel.h"
#include "Prompter.h"
#include "Typefaces.h"
#include "printing/RecordingPrinter.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <variant>

inline const QDate Today(2026, 12, 1);

class TestClock : public Clock
{
public:
    QDate today() const override { return Today; }
};

// Its paperWidth of 0 stands for no printer.
using TestPrinter = RecordingPrinter;

// Answers from a queue the test fills beforehand and logs every question and
// message as "<kind> <title>: <text>". A question nobody queued an answer for
// fails the test instead of waiting for a person.
class ScriptedPrompter : public Prompter
{
public:
    QStringList log;
    QList<std::variant<bool, QString>> answers;

    bool askYesNo(const QString &text, const QString &title) override
    {
        return next<bool>("ask " + title + ": " + text);
    }
    QString askText(const QString &text, const QString &title) override
    {
        return next<QString>("input " + title + ": " + text);
    }
    QString askSaveFileName(const QString &title, const QString &suggestedPath,
                            const QString &) override
    {
        return next<QString>("save " + title + ": " + suggestedPath);
    }
    void inform(const QString &text, const QString &title) override
    {
        log << "inform " + title + ": " + text;
    }
    void tell(const QString &text, const QString &title) override
    {
        log << "tell " + title + ": " + text;
    }
    void warn(const QString &text, const QString &title) override
    {
        log << "warn " + title + ": " + text;
    }

private:
    template <typename T> T next(const QString &question)
    {
        log << question;
        if (answers.isEmpty() || !std::holds_alternative<T>(answers.first())) {
            QTest::qFail(qPrintable("Unexpected question: " + question), __FILE__, __LINE__);
            return T{};
        }
        return std::get<T>(answers.takeFirst());
    }
};

class RecordingAddressOpener : public AddressOpener
{
public:
    QList<QUrl> opened;
    bool open(const QUrl &address) override
    {
        opened << address;
        return true;
    }
};

// The main window as the program starts it, in a program folder of its own
// (with these names in its catalogue) that goes away with the test.
struct MainWindow
{
    explicit MainWindow(const QStringList &catalogue = {}, int pageWidth = 12000)
    {
        printer.paperWidth = pageWidth;
        Typefaces::installSubstitutions();
        QDir(folder.path()).mkdir(QStringLiteral("MedFiles"));
        if (!catalogue.isEmpty())
            write("MedLists.dat", catalogue.join("\r\n").toLatin1() + "\r\n");
        form = std::make_unique<Form1>(
            MainWindowServices{folder.path(), &clock, &printer, &prompter, &opener});
    }
    bool show()
    {
        form->show();
        form->activateWindow();
        return QTest::qWaitForWindowActive(form.get());
    }

    QString path(const QString &file) const { return folder.filePath("MedFiles/" + file); }
    QByteArray bytes(const QString &file) const
    {
        QFile f(path(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString &file, const QByteArray &content) const
    {
        QFile f(path(file));
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qFatal("Cannot write %s", qPrintable(f.fileName()));
    }
    QStringList dataFiles() const { return QDir(path({})).entryList(QDir::Files | QDir::Hidden); }

    // The user picks a name in the list selector.
    void choose(const QString &name)
    {
        form->cboLoad->setCurrentIndex(form->cboLoad->findText(name));
        form->commands().LoadList();
    }
    // The user starts a new list, the way a new user does first.
    void openList(const QString &name = QStringLiteral("Mum"))
    {
        prompter.answers << name;
        form->findChild<QPushButton *>(QStringLiteral("Command1_0"))->click();
        prompter.log.clear();
    }

    QPoint centreOf(int row, int column) const
    {
        const QModelIndex index = form->Grid1->tableModel().indexOfCell(row, column);
        return form->Grid1->visualRect(index).center();
    }
    // Double-clicks a cell where it is on screen, as the user does: the
    // second press comes as a double-click at the spot of the first.
    void doubleClick(int row, int column)
    {
        form->Grid1->scrollTo(form->Grid1->tableModel().indexOfCell(row, column));
        doubleClickAt(centreOf(row, column));
    }
    void doubleClickAt(QPoint at)
    {
        QWidget *viewport = form->Grid1->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    }
    // The editor the double-click opened, once it has opened.
    QWidget *editor(int timeoutMs = 2000) const
    {
        QWidget *shown = nullptr;
        (void)QTest::qWaitFor([&] {
            for (const char *name : {"Text1", "Text3"}) {
                auto *candidate = form->findChild<QWidget *>(QString::fromLatin1(name));
                if (candidate->isVisible() && candidate->hasFocus())
                    shown = candidate;
            }
            return shown != nullptr;
        }, timeoutMs);
        return shown;
    }
    // Double-clicks a cell and types, "\n" being Enter in the Notes editor.
    void type(int row, int column, const QString &text)
    {
        if (!form->isVisible())
            show();
        doubleClick(row, column);
        QWidget *field = editor();
        QVERIFY2(field, "no editor opened");
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(field, Qt::Key_Return);
            QTest::keyClicks(field, lines[i]);
        }
    }
    QString cell(int row, int column) const { return form->list().cell(row, column); }
    void setCell(int row, int column, const QString &text)
    {
        form->list().setCell(row, column, text);
    }
    bool changed() const { return form->list().ChangesMade(); }
    QString name() const { return form->list().CurrentListName(); }
    QPoint current() const { return {form->Grid1->row(), form->Grid1->col()}; }
    bool due(int row) const
    {
        return form->Grid1->tableModel().cellBackground(row, 5) == QColor(128, 0, 0);
    }

    QTemporaryDir folder;
    TestClock clock;
    TestPrinter printer;
    ScriptedPrompter prompter;
    RecordingAddressOpener opener;
    std::unique_ptr<Form1> form;
};
