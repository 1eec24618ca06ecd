#pragma once

#include "DataFolder.h"
#include "Doubles.h"
#include "FontTextMeasurer.h"
#include "Form1.h"
#include "ListCommands.h"
#include "ListStore.h"
#include "MedicationGrid.h"
#include "CellEditor.h"
#include "MedicationTableModel.h"
#include "PrintCommand.h"
#include "RowCommands.h"
#include "Typefaces.h"
#include "printing/RecordingPrinter.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

// Its paperWidth of 0 stands for no printer.
using TestPrinter = RecordingPrinter;

// The main window as the program starts it, with the services replaced, in a
// folder of its own (with these names in its catalogue) that goes away with
// the test.
struct MainWindow
{
    explicit MainWindow(const QStringList &catalogue = {}, int pageWidth = 12000)
    {
        printer.paperWidth = pageWidth;
        Typefaces::installSubstitutions();
        QDir(folder.path()).mkdir(QStringLiteral("MedFiles"));
        if (!catalogue.isEmpty())
            write("MedLists.dat", catalogue.join("\r\n").toLatin1() + "\r\n");
        restart();
    }
    ~MainWindow() { form.reset(); }
    // The program started again over the files now in its folder.
    void restart()
    {
        form.reset();
        form = std::make_unique<Form1>(MainWindowParts{list, store, listCommands, rowCommands,
                                                       printCommand, clock, prompter, opener,
                                                       associations, printer, measurer});
    }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        T *found = form->findChild<T *>(name);
        if (!found)
            qFatal("No control %s", qPrintable(name));
        return found;
    }
    MedicationGrid *grid() const { return control<MedicationGrid>("Grid1"); }
    QComboBox *selector() const { return control<QComboBox>("cboLoad"); }
    QLineEdit *text1() const { return control<QLineEdit>("Text1"); }
    QPlainTextEdit *text2() const { return control<QPlainTextEdit>("Text2"); }
    QPlainTextEdit *text3() const { return control<QPlainTextEdit>("Text3"); }
    QPushButton *button(Form1Ui::ListButton index) const
    {
        return control<QPushButton>(QStringLiteral("Command1_%1").arg(index));
    }
    QPushButton *button(Form1Ui::RowButton index) const
    {
        return control<QPushButton>(QStringLiteral("Command2_%1").arg(index));
    }
    QAction *action(const QString &name) const { return control<QAction>(name); }
    bool editing() const { return control<CellEditor>("cellEditor")->EditingCell(); }
    QStringList selectorNames() const
    {
        QStringList names;
        for (int i = 0; i < selector()->count(); ++i)
            names << selector()->itemText(i);
        return names;
    }
    // Clicks a button once the status timer has enabled it, as a person
    // would; false when it stays disabled.
    template <typename Index> bool press(Index index)
    {
        QPushButton *pressed = button(index);
        if (!QTest::qWaitFor([pressed] { return pressed->isEnabled(); }, 500))
            return false;
        pressed->click();
        return true;
    }
    // Save, as the button does it; true when no warning came.
    bool save()
    {
        const qsizetype before = prompter.log.size();
        return press(Form1Ui::SaveButton) &&
               !prompter.log.mid(before).join('\n').contains(QStringLiteral("warn "));
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
    void choose(const QString &name) { chooseIndex(selector()->findText(name)); }
    void chooseIndex(int index)
    {
        selector()->setCurrentIndex(index);
        emit selector()->activated(index);
    }
    // The user starts a new list, the way a new user does first.
    void openList(const QString &name = QStringLiteral("Mum"))
    {
        prompter.answers << name;
        button(Form1Ui::NewButton)->click();
        prompter.log.clear();
    }

    QPoint centreOf(int row, int column) const
    {
        const QModelIndex index = grid()->tableModel().indexOfCell(row, column);
        return grid()->visualRect(index).center();
    }
    // Double-clicks a cell where it is on screen, as the user does: the
    // second press comes as a double-click at the spot of the first.
    void doubleClick(int row, int column)
    {
        grid()->scrollTo(grid()->tableModel().indexOfCell(row, column));
        doubleClickAt(centreOf(row, column));
    }
    void doubleClickAt(QPoint at)
    {
        QWidget *viewport = grid()->viewport();
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
    QString cell(int row, int column) const { return list.cell(row, column); }
    void setCell(int row, int column, const QString &text)
    {
        list.setCell(row, column, text);
    }
    bool changed() const { return list.ChangesMade(); }
    QString name() const { return list.CurrentListName(); }
    QPoint current() const { return {grid()->row(), grid()->col()}; }
    bool due(int row) const
    {
        return grid()->tableModel().cellBackground(row, 5) == QColor(128, 0, 0);
    }

    QTemporaryDir folder;
    TestClock clock;
    TestPrinter printer;
    ScriptedPrompter prompter;
    RecordingAddressOpener opener;
    TestFileAssociations associations;
    FontTextMeasurer measurer{Form1Ui::standardFont()};
    DataFolder dataFolder{folder.path()};
    ListStore store{dataFolder};
    MedicationList list;
    ListCommands listCommands{list, store, prompter};
    RowCommands rowCommands{list, prompter, opener};
    PrintCommand printCommand{list, printer, measurer, clock, prompter};
    std::unique_ptr<Form1> form;
};
