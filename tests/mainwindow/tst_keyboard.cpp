// The main window from the keyboard alone.

#include "MainWindowFixture.h"

#include <QClipboard>
#include <QMenu>

using namespace Qt::StringLiterals;
using Keys = QStringList;

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    // F2, Enter and typing open the current cell's editor; Tab and Shift+Tab
    // commit and move along the rows, and past the grid's ends out of it.
    void editingKeys_data()
    {
        QTest::addColumn<QPoint>("start"); // row, column
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("text"); // of the start cell afterwards
        QTest::addColumn<QPoint>("current");
        QTest::addColumn<QString>("focus");
        const QPoint dosage(2, 2);
        const QPoint notes(2, 6);
        const QPoint next(3, 1);
        const QString grid = u"Grid1"_s;
        // clang-format off
        QTest::newRow("F2 adds at the end")         << dosage        << Keys{"F2", "'!", "Return"}        << "5 mg!"     << dosage        << grid;
        QTest::newRow("Enter opens, Enter commits") << dosage        << Keys{"Return", "'!", "Return"}    << "5 mg!"     << dosage        << grid;
        QTest::newRow("typing replaces")            << dosage        << Keys{"'1", "'0", "Return"}        << "10"        << dosage        << grid;
        QTest::newRow("typing replaces, Esc")       << dosage        << Keys{"'1", "'0", "Esc"}           << "5 mg"      << dosage        << grid;
        QTest::newRow("a tilde cannot replace")     << dosage        << Keys{"'~", "Return"}              << "5 mg"      << dosage        << grid;
        // A list file cannot hold "Ω", "≥" (pasted: "≥ 5"), or "~", its line break.
        QTest::newRow("Text1 refuses")              << dosage        << Keys{"'a~Ωb", "Return"}           << "ab"        << dosage        << grid;
        QTest::newRow("Text3 refuses")              << notes         << Keys{"F2", "'é€≥5", "Tab"}        << "Lateé€5"   << next          << grid;
        QTest::newRow("Text1 refuses a paste")      << dosage        << Keys{"F2", "Ctrl+V", "Return"}    << "5 mg"      << dosage        << grid;
        QTest::newRow("Text3 refuses a paste")      << notes         << Keys{"F2", "Ctrl+V", "Tab"}       << "Late"      << next          << grid;
        QTest::newRow("Tab commits, moves right")   << dosage        << Keys{"'7", "Tab"}                 << "7"         << QPoint(2, 3)  << grid;
        QTest::newRow("Shift+Tab, row above")       << QPoint(2, 1)  << Keys{"'x", "Shift+Tab"}           << "x"         << QPoint(1, 6)  << grid;
        QTest::newRow("Enter in Notes: new line")   << notes         << Keys{"F2", "Return", "'x", "Tab"} << "Late\r\nx" << next          << grid;
        QTest::newRow("arrows move the cell")       << dosage        << Keys{"Down", "Right"}             << "5 mg"      << QPoint(3, 3)  << grid;
        QTest::newRow("Tab past the last cell")     << QPoint(49, 6) << Keys{"'!", "Tab"}                 << "!"         << QPoint(49, 6) << "Text2";
        QTest::newRow("Shift+Tab before the first") << QPoint(1, 1)  << Keys{"'x", "Shift+Tab"}           << "x"         << QPoint(1, 1)  << "Command2_3";
        // clang-format on
    }
    void editingKeys()
    {
        QFETCH(QPoint, start);
        QFETCH(QStringList, keys);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.setCell(1, 1, u"Aspirin"_s);
        w.setCell(2, 2, u"5 mg"_s);
        w.setCell(2, 6, u"Late"_s);
        QGuiApplication::clipboard()->setText(u"≥ 5"_s);
        QTRY_VERIFY(w.button(Form1Ui::LookupButton)->isEnabled());
        w.grid()->setCurrentCell(start.x(), start.y());
        w.grid()->setFocus();
        play(keys);
        QTEST(w.cell(start.x(), start.y()), "text");
        QTEST(QPoint(w.grid()->row(), w.grid()->col()), "current");
        QTEST(focusName(), "focus");
    }

    // A new list, a medicine and a note entered and saved without the mouse.
    void wholeListFromTheKeyboard()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.prompter.answers = {u"Tom"_s};
        play({"Ctrl+N"});
        play({"'Metformin", "Tab", "'500 mg", "Tab", "'With meals", "Tab", "'30", "Tab",
              "'12/14/2026", "Tab", "'Ask about the dose", "Tab", "Tab", "'Dr. Rossi", "Ctrl+S"});
        QTRY_VERIFY(w.bytes(u"Tom.dat"_s).contains("Ask about the dose"));
        const QByteArray saved = w.bytes(u"Tom.dat"_s);
        for (const char *text :
             {"Metformin\r\n500 mg\r\nWith meals\r\n30\r\n12/14/2026", "Dr. Rossi"})
            QVERIFY2(saved.contains(text), text);
    }

    // Each shortcut reaches its command from wherever the focus is; an open
    // cell editor keeps its own undo and redo.
    void shortcuts_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("triggered");
        const QList<std::pair<QString, QString>> shortcuts{
            {"Ctrl+N", "actNew"},  {"Ctrl+S", "actSave"},       {"Ctrl+P", "actPrint"},
            {"F1", "actHelp"},     {"Ctrl+Q", "actClose"},      {"Ctrl+L", "actChooseList"},
            {"Ctrl+Z", "actUndo"}, {"Ctrl+Shift+Z", "actRedo"}, {"Ctrl+Y", "actRedo"}};
        for (const char *focus : {"Grid1", "Text1", "Text2", "cboLoad"}) {
            for (const auto &[key, action] : shortcuts) {
                const bool editorsOwn =
                    focus == "Text1"_L1 && (action == u"actUndo" || action == u"actRedo");
                QTest::addRow("%s in %s", qPrintable(key), focus)
                    << focus << key << (editorsOwn ? QStringList() : QStringList{action});
            }
        }
    }
    void shortcuts()
    {
        QFETCH(QString, focus);
        QFETCH(QString, key);
        MainWindow w("Mum\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.grid()->setFocus();
        if (focus == u"Text1")
            play({"F2"});
        else
            w.control(focus)->setFocus();
        QCOMPARE(focusName(), focus);
        // What the commands do is tested at their seam; here, which one runs.
        QStringList triggered;
        for (QAction *action : w.form->findChildren<QAction *>()) {
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this,
                    [&triggered, action] { triggered << action->objectName(); });
        }
        play({key});
        QTEST(triggered, "triggered");
    }

    // The Font and Help menus open under their buttons, not at the pointer.
    void menusAtTheirButtons()
    {
        MainWindow w;
        QVERIFY(w.show());
        QCursor::setPos(w.form->mapToGlobal(QPoint(w.form->width() - 5, w.form->height() - 5)));
        for (const auto &[button, key] :
             {std::pair(Form1Ui::FontButton, "Alt+F"), std::pair(Form1Ui::HelpButton, "Alt+H")}) {
            w.grid()->setFocus();
            play({key});
            QMenu *menu = nullptr;
            QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
            const QPushButton *pressed = w.button(button);
            QCOMPARE(menu->pos(), pressed->mapToGlobal(QPoint(0, pressed->height())));
            // The menu has the keyboard: Down reaches its first item.
            QTest::keyClick(menu, Qt::Key_Down);
            QCOMPARE(menu->activeAction(), menu->actions().first());
            menu->close();
        }
    }

    // Tab walks the controls as they stand on screen; Shift+Tab walks back.
    void tabOrder()
    {
        const QStringList order{"Command1_0", "cboLoad",    "Command1_2", "Command1_1",
                                "Command1_4", "Command1_3", "Command1_5", "Command1_6",
                                "Command2_0", "Command2_1", "Command2_2", "Command2_3",
                                "Grid1",      "Text2",      "Command1_0"};
        MainWindow w("Mum\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.setCell(1, 1, u"Aspirin"_s);
        QTRY_VERIFY(w.button(Form1Ui::LookupButton)->isEnabled() &&
                    w.button(Form1Ui::SaveButton)->isEnabled());
        for (const QString &key : {u"Tab"_s, u"Shift+Tab"_s}) {
            const QStringList expected =
                key == u"Tab" ? order : QStringList(order.crbegin(), order.crend());
            w.control(expected.first())->setFocus();
            QStringList walked{focusName()};
            while (walked.size() < expected.size()) {
                play({key});
                walked << focusName();
            }
            QCOMPARE(walked, expected);
        }
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
