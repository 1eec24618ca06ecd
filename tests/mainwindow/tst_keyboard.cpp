// The main window from the keyboard alone: keys sent to whatever has the
// focus, as a person without a mouse sends them.

#include "ListFileReader.h"
#include "MainWindowFixture.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QString focusName()
{
    const QWidget *focused = QApplication::focusWidget();
    return focused ? focused->objectName() : u"<none>"_s;
}

// Plays steps to the focused widget: a key as QKeySequence writes it
// ("Ctrl+S", "Shift+Tab", "F2"), or text after a quote ("'10 mg"), typed
// one character at a time, wherever each character sends the focus.
void play(const QStringList &steps)
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
        const Qt::Key sent = key.key() == Qt::Key_Tab && key.keyboardModifiers() & Qt::ShiftModifier
                                 ? Qt::Key_Backtab
                                 : key.key();
        QTest::keyClick(QApplication::focusWidget(), sent, key.keyboardModifiers());
    }
}

bool editing(const MainWindow &w)
{
    return w.control("Text1")->isVisible() || w.control("Text3")->isVisible();
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    // On the grid, F2, Enter and typing open the editor of the current cell;
    // in it, Tab and Shift+Tab commit and move along the row and on to the
    // next, Enter commits, Esc leaves the cell as it was.
    void editingKeys_data()
    {
        QTest::addColumn<QPoint>("start"); // row, column
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text"); // of the start cell afterwards
        QTest::addColumn<QPoint>("current");
        QTest::addColumn<bool>("open"); // an editor is still open
        const QPoint dosage(2, 2);
        const QPoint notes(2, 6);
        const auto keys = [](const char *line) {
            return QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts);
        };
        // clang-format off
        QTest::newRow("F2 adds at the end")        << dosage << keys("F2 '! Return")       << "5 mg!"  << dosage << false;
        QTest::newRow("Enter opens, Enter commits") << dosage << keys("Return '! Return")   << "5 mg!"  << dosage << false;
        QTest::newRow("F2 then Esc")               << dosage << keys("F2 '! Esc")          << "5 mg"   << dosage << false;
        QTest::newRow("typing replaces")           << dosage << keys("'1 '0 Return")       << "10"     << dosage << false;
        QTest::newRow("typing replaces, Esc")      << dosage << keys("'1 '0 Esc")          << "5 mg"   << dosage << false;
        QTest::newRow("typing, still open")        << dosage << keys("'1")                 << "5 mg"   << dosage << true;
        QTest::newRow("a space replaces too")      << dosage << QStringList{"' ", "Return"} << " "   << dosage << false;
        QTest::newRow("a tilde cannot replace")    << dosage << keys("'~ Return")          << "5 mg"   << dosage << false;
        QTest::newRow("Tab commits, moves right")  << dosage << keys("'7 Tab")             << "7"      << QPoint(2, 3) << false;
        QTest::newRow("Shift+Tab moves left")      << dosage << keys("'7 Shift+Tab")       << "7"      << QPoint(2, 1) << false;
        QTest::newRow("Tab without a change")      << dosage << keys("F2 Tab")             << "5 mg"   << QPoint(2, 3) << false;
        QTest::newRow("Tab from Notes, next row")  << notes  << keys("F2 '! Tab")          << "Late!"  << QPoint(3, 1) << false;
        QTest::newRow("Shift+Tab, row above")      << QPoint(2, 1) << keys("'x Shift+Tab") << "x"      << QPoint(1, 6) << false;
        QTest::newRow("Enter in Notes: new line")  << notes  << keys("F2 Return 'x Tab")   << "Late\r\nx" << QPoint(3, 1) << false;
        QTest::newRow("typing replaces Notes")     << notes  << keys("'x Tab")             << "x"      << QPoint(3, 1) << false;
        QTest::newRow("typing in Notes, Esc")      << notes  << keys("'x Esc")             << "Late"   << notes << false;
        QTest::newRow("arrows move the cell")      << dosage << keys("Down Right")         << "5 mg"   << QPoint(3, 3) << false;
        QTest::newRow("arrows move the caret")     << dosage << keys("F2 Left Left '! Return") << "5 !mg" << dosage << false;
        QTest::newRow("Esc on the grid")           << dosage << keys("Esc Esc")            << "5 mg"   << dosage << false;
        // clang-format on
    }
    void editingKeys()
    {
        QFETCH(QPoint, start);
        QFETCH(QStringList, keys);
        QFETCH(bool, open);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.setCell(2, 2, u"5 mg"_s);
        w.setCell(2, 6, u"Late"_s);
        w.grid()->setCurrentCell(start.x(), start.y());
        w.grid()->setFocus();
        play(keys);
        QTEST(w.cell(start.x(), start.y()), "text");
        QTEST(QPoint(w.grid()->row(), w.grid()->col()), "current");
        QCOMPARE(editing(w), open);
        if (!open)
            QCOMPARE(focusName(), u"Grid1"_s);
    }

    // A row typed with Tab between the cells, forward or back: each cell
    // committed as Tab leaves it, the refill date marked as it is left.
    void tabThroughARow_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QPoint>("end");
        const QString due = "'" + Today.addDays(3).toString(Qt::ISODate);
        QTest::newRow("Tab") << QPoint(3, 1)
                             << QStringList{"'Aspirin", "Tab", "'10 mg", "Tab", "'daily", "Tab",
                                            "'30",      "Tab", due,      "Tab", "'food",  "Tab"}
                             << QPoint(4, 1);
        QTest::newRow("Shift+Tab")
            << QPoint(3, 6)
            << QStringList{"'food",  "Shift+Tab", due,      "Shift+Tab", "'30",      "Shift+Tab",
                           "'daily", "Shift+Tab", "'10 mg", "Shift+Tab", "'Aspirin", "Shift+Tab"}
            << QPoint(2, 6);
    }
    void tabThroughARow()
    {
        QFETCH(QPoint, start);
        QFETCH(QStringList, keys);
        QFETCH(QPoint, end);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.grid()->setCurrentCell(start.x(), start.y());
        w.grid()->setFocus();
        play(keys);
        const QStringList row{w.cell(3, 1), w.cell(3, 2), w.cell(3, 3),
                              w.cell(3, 4), w.cell(3, 5), w.cell(3, 6)};
        QCOMPARE(row, QStringList({"Aspirin", "10 mg", "daily", "30",
                                   Today.addDays(3).toString(Qt::ISODate), "food"}));
        QCOMPARE(QPoint(w.grid()->row(), w.grid()->col()), end);
        QVERIFY(w.due(3));
        QVERIFY(w.changed());
        // Each cell is a change of its own.
        play({"Ctrl+Z"});
        QCOMPARE(w.cell(3, keys.first() == u"'food" ? 1 : 6), QString());
        QCOMPARE(w.cell(3, 4), u"30"_s);
    }

    // Past the grid's first and last cells Tab leaves the grid; the edit is
    // kept.
    void tabLeavesTheGridAtItsEnds_data()
    {
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("focus");
        QTest::newRow("Tab after the last Notes") << QPoint(49, 6) << "Tab"
                                                  << "Text2";
        QTest::newRow("Shift+Tab before the first Name") << QPoint(1, 1) << "Shift+Tab"
                                                         << "Command2_3";
    }
    void tabLeavesTheGridAtItsEnds()
    {
        QFETCH(QPoint, start);
        QFETCH(QString, key);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.setCell(1, 1, u"Aspirin"_s);
        QTRY_VERIFY(w.button(Form1Ui::LookupButton)->isEnabled());
        w.grid()->setCurrentCell(start.x(), start.y());
        w.grid()->setFocus();
        play({"F2", "'!", key});
        QVERIFY(w.cell(start.x(), start.y()).endsWith(u'!'));
        QVERIFY(!editing(w));
        QTEST(focusName(), "focus");
    }

    // Without an open list the grid takes no keys.
    void noEditorWithoutAList()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.grid()->setFocus();
        play({"F2", "Return", "'x"});
        QVERIFY(!editing(w));
        QCOMPARE(w.cell(1, 1), QString());
    }

    // Started, filled and saved, and the saved file holds what was typed.
    void wholeListFromTheKeyboard_data()
    {
        QTest::addColumn<QStringList>("keys");
        const QString due = "'" + Today.addDays(2).toString(Qt::ISODate);
        QTest::newRow("Tab between the cells") << QStringList{
            "Ctrl+N", "'Aspirin", "Tab", "'100 mg",    "Tab",    "'once daily", "Tab", "'30",
            "Tab",    due,        "Tab", "'with food", "Return", "'and water",  "Tab", "'Metformin",
            "Tab",    "'500 mg",  "Tab", "Tab",        "Tab",    "Tab",         "Tab", "Ctrl+S"};
        QTest::newRow("Enter and the arrow keys") << QStringList{
            "Ctrl+N",  "'Aspirin",   "Return",  "Right",      "'200 mg",     "Esc",
            "'100 mg", "Return",     "Right",   "F2",         "'once daily", "Return",
            "Right",   "'30",        "Return",  "Right",      due,           "Return",
            "Right",   "'with food", "Return",  "'and water", "Tab",         "'Metformin",
            "Return",  "Right",      "'500 mg", "Return",     "Ctrl+S"};
    }
    void wholeListFromTheKeyboard()
    {
        QFETCH(QStringList, keys);
        MainWindow w;
        QVERIFY(w.show());
        w.prompter.answers << u"Mum"_s;
        play(keys);
        QCOMPARE(w.prompter.log.size(), 1); // the name asked, nothing else
        QVERIFY(!w.changed());
        QVERIFY(w.due(1));
        QFile file(w.path(u"Mum.dat"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        MedicationList saved;
        QVERIFY(ListFileReader::read(file, saved).complete);
        const QStringList first{saved.cell(1, 1), saved.cell(1, 2), saved.cell(1, 3),
                                saved.cell(1, 4), saved.cell(1, 5), saved.cell(1, 6)};
        QCOMPARE(first,
                 QStringList({"Aspirin", "100 mg", "once daily", "30",
                              Today.addDays(2).toString(Qt::ISODate), "with food\r\nand water"}));
        QCOMPARE(saved.cell(2, 1), u"Metformin"_s);
        QCOMPARE(saved.cell(2, 2), u"500 mg"_s);
        QCOMPARE(saved.cell(2, 3), QString());
    }

    // Each shortcut from wherever the focus is in the window: the grid, an
    // open cell editor, the general notes, the list selector.
    void shortcuts_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("outcome");
        const QString askName = u"asked: input Create a New Medications List: Enter name for "
                                u"this new medications list. (e.g. John Smith)"_s;
        const struct
        {
            const char *key;
            QString outcome;
        } shortcuts[] = {
            {"Ctrl+N", askName},
            {"Ctrl+S", u"saved"_s},
            {"Ctrl+P", u"shown: frmPrinterSelect"_s},
            {"F1", u"shown: HelpWindow"_s},
            {"Ctrl+Q", u"closed"_s},
            {"Ctrl+L", u"focus: cboLoad"_s},
            {"Ctrl+Z", u"Dosage: 5 mg"_s},
        };
        for (const char *focus : {"Grid1", "Text1", "Text2", "cboLoad"}) {
            for (const auto &shortcut : shortcuts) {
                QString outcome = shortcut.outcome;
                // Already there; and an open editor undoes its own typing,
                // of which there is none yet.
                if ((focus == "cboLoad"_L1 && shortcut.key == "Ctrl+L"_L1) ||
                    (focus == "Text1"_L1 && shortcut.key == "Ctrl+Z"_L1))
                    outcome = u"nothing"_s;
                QTest::addRow("%s in %s", shortcut.key, focus) << focus << shortcut.key << outcome;
            }
        }
        QTest::newRow("Ctrl+Z Ctrl+Y") << "Grid1"
                                       << "Ctrl+Z Ctrl+Y"
                                       << "Dosage: 10 mg";
        QTest::newRow("Ctrl+S, no list") << "no list"
                                         << "Ctrl+S"
                                         << "nothing";
        QTest::newRow("Ctrl+P, no list") << "no list"
                                         << "Ctrl+P"
                                         << "nothing";
        QTest::newRow("Ctrl+N, no list") << "no list"
                                         << "Ctrl+N" << askName;
    }
    void shortcuts()
    {
        QFETCH(QString, focus);
        QFETCH(QString, key);
        MainWindow w("Mum\r\n");
        QVERIFY(w.show());
        if (focus != u"no list") {
            w.choose(u"Mum"_s);
            w.setCell(1, 1, u"Aspirin"_s);
            w.grid()->setCurrentCell(1, 2);
            w.grid()->setFocus();
            play({"'5 mg", "Return", "'10 mg", "Return"});
            QCOMPARE(w.cell(1, 2), u"10 mg"_s);
            // No question about saving comes between the key and what it does.
            w.list.setChangesMade(false);
            if (focus == u"Text1")
                play({"F2"});
            else
                w.control(focus)->setFocus();
            QCOMPARE(focusName(), focus);
        }
        QString outcome = u"nothing"_s;
        if (key == u"Ctrl+N")
            w.prompter.answers << QString();
        if (key == u"Ctrl+Q" && focus == u"Text1") // closing commits the open edit
            w.prompter.answers << false;
        w.prompter.whileAsking = [&] { outcome = "asked: " + w.prompter.log.last(); };
        // A modal window runs an event loop of its own; it is closed from there.
        QTimer::singleShot(0, this, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                outcome = "shown: " + modal->objectName();
                modal->close();
            }
        });
        const QByteArray before = w.bytes(u"Mum.dat"_s);
        play(key.split(u' '));
        QCoreApplication::processEvents();
        if (auto *help = w.form->findChild<QWidget *>(u"HelpWindow"_s); help && help->isVisible())
            outcome = u"shown: HelpWindow"_s;
        else if (!w.form->isVisible())
            outcome = u"closed"_s;
        else if (w.bytes(u"Mum.dat"_s) != before)
            outcome = u"saved"_s;
        else if (outcome == u"nothing" && focusName() != focus && focus != u"no list")
            outcome = "focus: " + focusName();
        else if (outcome == u"nothing" && focus != u"no list" &&
                 (w.cell(1, 2) != u"10 mg" || key.contains(u"Ctrl+Y")))
            outcome = "Dosage: " + w.cell(1, 2);
        QTEST(outcome, "outcome");
    }

    // Each tooltip names the button's shortcut, as the help does.
    void tooltipsNameTheirKeys_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("New") << "Command1_0"
                             << "Create a new Med List (Ctrl+N)";
        QTest::newRow("Save") << "Command1_2"
                              << "Save current Med List (Ctrl+S)";
        QTest::newRow("Print") << "Command1_4"
                               << "Print current Med List (Ctrl+P)";
        QTest::newRow("Help") << "Command1_6"
                              << "Display Help file (F1)";
        QTest::newRow("selector") << "cboLoad"
                                  << "Load an existing Med List (Ctrl+L)";
        QTest::newRow("Delete") << "Command1_1"
                                << "Delete current Med List";
    }
    void tooltipsNameTheirKeys()
    {
        QFETCH(QString, control);
        MainWindow w;
        QTEST(w.control(control)->toolTip(), "tooltip");
    }

    // The help names every shortcut of the window as the tooltips do.
    void helpNamesEveryShortcut_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *action : {"actNew", "actSave", "actPrint", "actHelp", "actClose",
                                   "actChooseList", "actUndo", "actRedo"})
            QTest::newRow(action) << action;
    }
    void helpNamesEveryShortcut()
    {
        QFETCH(QString, action);
        MainWindow w;
        QFile page(u":/help/buttons.html"_s);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString help = QString::fromUtf8(page.readAll());
        const QAction *shortcut = w.action(action);
        QVERIFY(shortcut && !shortcut->shortcuts().isEmpty());
        for (const QKeySequence &key : shortcut->shortcuts()) {
            const QString named = key.toString(QKeySequence::NativeText);
            QVERIFY2(help.contains("<dt>" + named) || help.contains(" or " + named + "</dt>"),
                     qPrintable(named));
        }
    }

    // The Font and Help menus open under their buttons, wherever the
    // pointer is, and take the keyboard.
    void menusAtTheirButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("menu");
        for (const char *how : {"click", "Space", "access key"}) {
            QTest::addRow("Font, %s", how) << int(Form1Ui::FontButton) << how << "mnuFont";
            QTest::addRow("Help, %s", how) << int(Form1Ui::HelpButton) << how << "mnuHelp";
        }
    }
    void menusAtTheirButtons()
    {
        QFETCH(int, button);
        QFETCH(QString, how);
        MainWindow w;
        QVERIFY(w.show());
        QPushButton *pressed = w.button(Form1Ui::ListButton(button));
        QCursor::setPos(w.form->mapToGlobal(QPoint(w.form->width() - 5, w.form->height() - 5)));
        if (how == u"click") {
            QTest::mouseClick(pressed, Qt::LeftButton);
        } else if (how == u"Space") {
            pressed->setFocus();
            QTest::keyClick(pressed, Qt::Key_Space);
        } else {
            w.grid()->setFocus();
            play({button == Form1Ui::FontButton ? "Alt+F" : "Alt+H"});
        }
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        QTEST(menu->objectName(), "menu");
        QCOMPARE(menu->geometry().topLeft(), pressed->mapToGlobal(QPoint(0, pressed->height())));
        // The menu has the keyboard: Down reaches its first item.
        QTest::keyClick(menu, Qt::Key_Down);
        QCOMPARE(menu->activeAction(), menu->actions().first());
        menu->close();
    }

    // Tab walks the controls as they stand on screen, skipping those
    // disabled, and Shift+Tab walks them back.
    void tabOrder_data()
    {
        QTest::addColumn<bool>("listOpen");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("order");
        const QStringList all{"Command1_0", "cboLoad",    "Command1_2", "Command1_1", "Command1_4",
                              "Command1_3", "Command1_5", "Command1_6", "Command2_0", "Command2_1",
                              "Command2_2", "Command2_3", "Grid1",      "Text2",      "Command1_0"};
        QStringList back = all;
        std::reverse(back.begin(), back.end());
        QTest::newRow("a list open, Tab") << true << "Tab" << all;
        QTest::newRow("a list open, Shift+Tab") << true << "Shift+Tab" << back;
        QTest::newRow("no list") << false << "Tab"
                                 << QStringList{"Command1_0", "cboLoad",    "Command1_3",
                                                "Command1_5", "Command1_6", "Grid1",
                                                "Text2",      "Command1_0"};
    }
    void tabOrder()
    {
        QFETCH(bool, listOpen);
        QFETCH(QString, key);
        QFETCH(QStringList, order);
        MainWindow w("Mum\r\n");
        QVERIFY(w.show());
        if (listOpen) {
            w.choose(u"Mum"_s);
            w.setCell(1, 1, u"Aspirin"_s);
            QTRY_VERIFY(w.button(Form1Ui::LookupButton)->isEnabled() &&
                        w.button(Form1Ui::SaveButton)->isEnabled());
        }
        w.control(order.first())->setFocus();
        QStringList walked{focusName()};
        for (int step = 1; step < order.size(); ++step) {
            play({key});
            walked << focusName();
        }
        QCOMPARE(walked, order);
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
