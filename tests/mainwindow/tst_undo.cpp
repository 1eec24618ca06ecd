// Undo and redo in the window: the keys, wherever the focus is, and what the
// window shows again after each. The history's own rules are tested without
// a window, in tests/commands.

#include "MainWindowFixture.h"

#include <QHeaderView>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace {

// What the window shows of the list: the texts, the refill warnings, the
// fonts and marks, the columns' and rows' sizes, the current cell.
QStringList shown(const MainWindow &w)
{
    QStringList shown;
    for (int row = 1; row <= 4; ++row) {
        QStringList cells;
        for (int column = 1; column <= 6; ++column)
            cells << w.cell(row, column);
        shown << cells.join(u'|') + (w.due(row) ? " due" : "");
    }
    shown << w.list.notes() << w.control("Text2")->property("plainText").toString();
    shown << w.grid()->font().toString() << w.measurer.font().toString();
    shown << QString::number(w.action("mnuFontSizeOp_1")->isChecked());
    QStringList sizes;
    for (int column = 0; column < 6; ++column)
        sizes << QString::number(w.grid()->horizontalHeader()->sectionSize(column));
    for (int row = 1; row <= 4; ++row)
        sizes << QString::number(w.grid()->rowHeight(row));
    shown << sizes.join(u' ');
    return shown;
}

void press(QKeyCombination keys)
{
    QTest::keyClick(QApplication::focusWidget(), keys.key(), keys.keyboardModifiers());
}

const QKeyCombination Undo(Qt::ControlModifier, Qt::Key_Z);
const QKeyCombination Redo(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
const QKeyCombination RedoToo(Qt::ControlModifier, Qt::Key_Y);

} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    // After an undo the window is as before the change, after a redo as
    // after it: refitted, highlighted, with the cell of the change current.
    void eachChange_data()
    {
        QTest::addColumn<Step>("change");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QKeyCombination>("redo");
        QTest::addColumn<QPoint>("undoneAt"); // the current cell, row and column
        QTest::addColumn<QPoint>("redoneAt");
        const auto row = [](Form1Ui::RowButton button) {
            return Step([button](MainWindow &w) {
                w.grid()->setCurrentCell(2, 3);
                if (button == Form1Ui::DeleteRowButton)
                    w.prompter.answers << true;
                QVERIFY(w.press(button));
            });
        };
        const Step wideName = [](MainWindow &w) {
            QVERIFY(w.type(2, 1, u" and a much longer name"_s));
            w.grid()->setCurrentCell(9, 2);
        };
        const Step dueDate = [](MainWindow &w) {
            QVERIFY(w.type(3, 5));
            w.control<QLineEdit>("Text1")->setText(Today.toString(Qt::ISODate));
            QTest::keyClick(w.control("Text1"), Qt::Key_Return);
        };
        const Step large = [](MainWindow &w) { w.action("mnuFontSizeOp_1")->trigger(); };
        const Step bold = [](MainWindow &w) { w.action("mnuBold")->trigger(); };
        const Step notes = [](MainWindow &w) {
            w.control("Text2")->setFocus();
            QTest::keyClicks(w.control("Text2"), u"Call Dr. Miller"_s);
        };
        // clang-format off
        QTest::newRow("cell edit")   << wideName << "Grid1" << Redo << QPoint(2, 1) << QPoint(2, 1);
        QTest::newRow("refill date") << dueDate << "Grid1" << RedoToo << QPoint(3, 5) << QPoint(3, 5);
        QTest::newRow("Up")          << row(Form1Ui::UpButton) << "Grid1" << Redo
                                     << QPoint(2, 3) << QPoint(1, 3);
        QTest::newRow("row Delete")  << row(Form1Ui::DeleteRowButton) << "Grid1" << Redo
                                     << QPoint(2, 3) << QPoint(2, 3);
        QTest::newRow("Large")       << large << "Grid1" << RedoToo << QPoint(1, 4) << QPoint(1, 4);
        QTest::newRow("Bold")        << bold << "Command1_0" << Redo << QPoint(1, 4) << QPoint(1, 4);
        QTest::newRow("typing in the notes")
                                     << notes << "Text2" << Redo << QPoint(1, 4) << QPoint(1, 4);
        // clang-format on
    }
    void eachChange()
    {
        QFETCH(Step, change);
        QFETCH(QString, focus);
        QFETCH(QKeyCombination, redo);
        QFETCH(QPoint, undoneAt);
        QFETCH(QPoint, redoneAt);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        for (int row = 1; row <= 3; ++row)
            w.setCell(row, 1, u"Med %1"_s.arg(row));
        w.setCell(2, 5, Today.addDays(3).toString(Qt::ISODate));
        w.setCell(2, 6, u"1\r\n2\r\n3"_s);
        // Standard chosen, as a loaded list has it: undoing Large gives 8 pt,
        // not the 8.25 pt of the design font the window starts in.
        w.action("mnuFontSizeOp_0")->trigger();
        w.form->HighlightRefillDates();
        w.grid()->setCurrentCell(1, 4);
        const QStringList before = shown(w);
        change(w);
        const QStringList after = shown(w);
        QVERIFY(after != before);

        const auto current = [&w] { return QPoint(w.grid()->row(), w.grid()->col()); };
        w.list.setChangesMade(false);
        w.control(focus)->setFocus();
        QTRY_VERIFY(w.control(focus)->hasFocus());
        press(Undo);
        QCOMPARE(shown(w), before);
        QVERIFY(w.changed());
        QCOMPARE(current(), undoneAt);
        w.list.setChangesMade(false);
        press(redo);
        QCOMPARE(shown(w), after);
        QVERIFY(w.changed());
        QCOMPARE(current(), redoneAt);
    }

    // While an editor is open, its own undo has the keys; an edit left open
    // while the focus went elsewhere is committed and undone like any other.
    void anOpenEditor_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("focusInEditor");
        QTest::newRow("Text1 with the focus") << 2 << true;
        QTest::newRow("Text3 with the focus") << 6 << true;
        QTest::newRow("Text1, the focus in the notes") << 2 << false;
    }
    void anOpenEditor()
    {
        QFETCH(int, column);
        QFETCH(bool, focusInEditor);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.setCell(1, column, u"5"_s);
        w.history.setCell(2, 1, u"Aspirin"_s);
        QWidget *editor = w.type(1, column);
        QVERIFY(editor);
        QTest::keyClicks(editor, u" mg"_s);
        if (!focusInEditor)
            w.control("Text2")->setFocus();
        const char *text = column == 6 ? "plainText" : "text";
        press(Undo);
        QCOMPARE(editor->isVisible(), focusInEditor);
        if (focusInEditor)
            QCOMPARE(editor->property(text).toString(), "5");
        QCOMPARE(w.cell(1, column), "5");
        QCOMPARE(w.cell(2, 1), "Aspirin");
        press(RedoToo);
        if (focusInEditor) {
            QCOMPARE(editor->property(text).toString(), "5 mg");
            QCOMPARE(w.cell(1, column), "5");
        } else {
            QCOMPARE(w.cell(1, column), "5 mg");
        }
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
