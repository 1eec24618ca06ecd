#pragma once

#include "DataFolder.h"
#include "Doubles.h"
#include "FontTextMeasurer.h"
#include "Form1.h"
#include "ListCommands.h"
#include "ListStore.h"
#include "MedicationGrid.h"
#include "MedicationTableModel.h"
#include "PrintCommand.h"
#include "RowCommands.h"
#include "Typefaces.h"
#include "printing/RecordingPrinter.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeySequence>
#include <QPushButton>
#include <QTemporaryDir>

// Written under Windows: windows-1252, "~~" for line breaks, a lone CR in the
// general notes, CR LF, the window at 1440, 720, 10800 x 7200 twips, Large, bold.
inline QByteArray windowsFile()
{
    QFile source(QStringLiteral(PILLORA_TEST_DATA "/windows-roundtrip.dat"));
    return source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
}

// Keys to whatever has the focus: "Ctrl+S", or text after a quote ("'10 mg").
inline void play(const QStringList &steps)
{
    for (const QString &step : steps) {
        if (step.startsWith(u'\'')) {
            for (QChar c : step.mid(1))
                QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                                    QString(c), {});
            continue;
        }
        const QKeyCombination key = QKeySequence(step)[0];
        QVERIFY2(key.key() != Qt::Key_unknown, qPrintable(step));
        // The window system sends Shift+Tab as Backtab.
        const bool backtab =
            key.key() == Qt::Key_Tab && key.keyboardModifiers() & Qt::ShiftModifier;
        QTest::keyClick(QApplication::focusWidget(), backtab ? Qt::Key_Backtab : key.key(),
                        key.keyboardModifiers());
    }
}

inline QString focusName()
{
    const QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QStringLiteral("<none>");
}

// The program's main window in a folder of its own, with doubles as services.
struct MainWindow
{
    explicit MainWindow(const QByteArray &catalogue = {})
    {
        Typefaces::installSubstitutions();
        QDir(folder.path()).mkdir(QStringLiteral("MedFiles"));
        if (!catalogue.isEmpty())
            write("MedLists.dat", catalogue);
        form = std::make_unique<Form1>(MainWindowParts{list, history, store, listCommands,
                                                       rowCommands, printCommand, clock, prompter,
                                                       opener, associations, printer, measurer});
    }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        return form->findChild<T *>(name);
    }
    MedicationGrid *grid() const { return control<MedicationGrid>("Grid1"); }
    QComboBox *selector() const { return control<QComboBox>("cboLoad"); }
    template <typename Index> QPushButton *button(Index index) const
    {
        const int strip = std::is_same_v<Index, Form1Ui::RowButton> ? 2 : 1;
        return control<QPushButton>(QStringLiteral("Command%1_%2").arg(strip).arg(index));
    }
    // Clicks a button once the status timer has enabled it; false if it stays disabled.
    template <typename Index> bool press(Index index)
    {
        const bool enabled = QTest::qWaitFor([&] { return button(index)->isEnabled(); }, 500);
        if (enabled)
            button(index)->click();
        return enabled;
    }
    bool show()
    {
        form->show();
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
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }

    void choose(const QString &name)
    {
        selector()->setCurrentIndex(selector()->findText(name));
        emit selector()->activated(selector()->currentIndex());
    }
    void openList(const QString &name = QStringLiteral("Mum"))
    {
        prompter.answers << name;
        button(Form1Ui::NewButton)->click();
        prompter.log.clear();
    }

    // Double-clicks a cell and types at once; the editor, or null if none opened.
    QWidget *type(int row, int column, const QString &text = {}, int timeoutMs = 2000)
    {
        if (!form->isVisible())
            show();
        const QModelIndex cell = grid()->tableModel().indexOfCell(row, column);
        grid()->scrollTo(cell);
        doubleClick(grid()->visualRect(cell).center(), text);
        const auto open = [] { return focusName() == u"Text1" || focusName() == u"Text3"; };
        return QTest::qWaitFor(open, timeoutMs) ? QApplication::focusWidget() : nullptr;
    }
    // Double-clicks a point of the grid as a hand does, typing text at once.
    void doubleClick(const QPoint &at, const QString &text = {})
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
        for (QChar c : text) {
            const Qt::Key key = c == u'\n' ? Qt::Key_Return : Qt::Key_unknown;
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                QCoreApplication::postEvent(grid(), new QKeyEvent(type, key, {}, QString(c)));
        }
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid()->viewport(), Qt::LeftButton, {}, at);
    }
    QString cell(int row, int column) const { return list.cell(row, column); }
    void setCell(int row, int column, const QString &text) { list.setCell(row, column, text); }
    bool changed() const { return list.ChangesMade(); }
    bool due(int row) const { return grid()->tableModel().cellBackground(row, 5) == Qt::darkRed; }

    QTemporaryDir folder;
    TestClock clock;
    RecordingPrinter printer;
    ScriptedPrompter prompter;
    RecordingAddressOpener opener;
    TestFileAssociations associations;
    FontTextMeasurer measurer{Form1Ui::standardFont()};
    DataFolder dataFolder{folder.path()};
    ListStore store{dataFolder};
    MedicationList list;
    ListHistory history{list};
    ListCommands listCommands{list, store, prompter, history};
    RowCommands rowCommands{list, history, prompter, opener};
    PrintCommand printCommand{list, printer, measurer, clock, prompter};
    std::unique_ptr<Form1> form;
};

// What the user does in the window, for a table row.
using Step = std::function<void(MainWindow &)>;
