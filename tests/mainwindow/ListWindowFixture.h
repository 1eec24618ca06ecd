#pragma once

#include "Form1.h"
#include "ListCommands.h"
#include "MedicationGrid.h"
#include "MedicationTableModel.h"
#include "ScriptedPrompter.h"
#include "TestServices.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>

// A list file spelled out as the format lays it out: window 1500, 900,
// 9000 x 6000 twips, font size 8, not bold, no printer, the header texts on
// lines 15 to 20 and every other line empty unless given.
inline QByteArray listFileBytes(const QMap<int, QByteArray> &lines = {})
{
    QMap<int, QByteArray> all{{1, " 1500 "},
                              {2, " 900 "},
                              {3, " 9000 "},
                              {4, " 6000 "},
                              {5, "8"},
                              {6, "False"},
                              {15, "Name"},
                              {16, "Dosage"},
                              {17, "Instructions"},
                              {18, "Quantity"},
                              {19, "Next Refill Date"},
                              {20, "Notes"}};
    all.insert(lines);
    QByteArray bytes;
    for (int line = 1; line <= 315; ++line)
        bytes += all.value(line) + "\r\n";
    return bytes;
}

// The main window as the program starts it, in a program folder of its own,
// with scripted questions, a recording address opener, today fixed at
// 1 December 2026 and a page 12000 twips wide.
struct ListWindow
{
    explicit ListWindow(const QStringList &catalogue = {})
    {
        Typefaces::installSubstitutions();
        QDir(folder.path()).mkdir(QStringLiteral("MedFiles"));
        if (!catalogue.isEmpty())
            write("MedLists.dat", catalogue.join("\r\n").toLatin1() + "\r\n");
        form = std::make_unique<Form1>(
            MainWindowServices{folder.path(), &clock, &printers, &prompter, &opener});
    }
    bool showActive()
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
    // Double-clicks a cell and types, "\n" being Enter in the Notes editor.
    void type(int row, int column, const QString &text)
    {
        form->Grid1->setCurrentCell(row, column);
        form->openEditor();
        QWidget *editor = column == 6 ? static_cast<QWidget *>(form->Text3) : form->Text1;
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(editor, Qt::Key_Return);
            QTest::keyClicks(editor, lines[i]);
        }
    }
    QString cell(int row, int column) const { return form->list().cell(row, column); }
    bool changed() const { return form->list().ChangesMade(); }
    QString name() const { return form->list().CurrentListName(); }
    bool due(int row) const
    {
        return form->Grid1->tableModel().cellBackground(row, 5) == QColor(128, 0, 0);
    }

    QTemporaryDir folder;
    CountingClock clock;
    FakePrinterService printers;
    ScriptedPrompter prompter;
    RecordingAddressOpener opener;
    std::unique_ptr<Form1> form;
};
