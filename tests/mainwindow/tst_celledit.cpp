#include "MainWindowFixture.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

enum class Ending
{
    ScrollBar,
    Wheel,
    Tab
};

class TestCellEdit : public QObject
{
    Q_OBJECT

private slots:
    // Scrolling and Tab keep what was typed, as leaving the cell does.
    void editEnds_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<Ending>("ending");
        QTest::newRow("Tab out of Text1") << 2 << Ending::Tab;
        QTest::newRow("Tab out of Text3") << 6 << Ending::Tab;
        QTest::newRow("scroll bar") << 2 << Ending::ScrollBar;
        QTest::newRow("wheel") << 6 << Ending::Wheel;
    }
    void editEnds()
    {
        QFETCH(int, column);
        QFETCH(Ending, ending);
        MainWindow w;
        w.openList();
        QWidget *editor = w.type(3, column, QStringLiteral("5 mg"));
        QWidget *viewport = w.grid()->viewport();
        QWheelEvent wheel(QPointF(9, 9), viewport->mapToGlobal(QPointF(9, 9)), {}, {0, -120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        if (ending == Ending::ScrollBar)
            w.grid()->verticalScrollBar()->setValue(5);
        else if (ending == Ending::Wheel)
            QCoreApplication::sendEvent(viewport, &wheel);
        else
            QTest::keyClick(editor, Qt::Key_Tab);
        QVERIFY(!w.editing());
        QCOMPARE(w.cell(3, column), "5 mg");
    }

    // The commit by the first click of the pair refits the columns or rows,
    // so the second lies over another cell: the editor still opens on the
    // cell double-clicked.
    void doubleClickOnAnotherCellWhileEditing_data()
    {
        QTest::addColumn<QPoint>("edited");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QPoint>("target");
        QTest::newRow("Name widens") << QPoint(1, 1) << "Hydrochlorothiazide" << QPoint(1, 2);
        QTest::newRow("a taller row pushes the next one down")
            << QPoint(1, 6) << "Morning\nNoon\nEvening\nNight" << QPoint(2, 3);
    }
    void doubleClickOnAnotherCellWhileEditing()
    {
        QFETCH(QPoint, edited);
        QFETCH(QString, typed);
        QFETCH(QPoint, target);
        MainWindow w;
        w.openList();
        w.setCell(target.x(), target.y(), QStringLiteral("25"));
        w.type(edited.x(), edited.y(), typed);
        w.type(target.x(), target.y(), QStringLiteral(" mg"));
        w.grid()->setCurrentCell(9, 1);
        QCOMPARE(w.cell(edited.x(), edited.y()), QString(typed).replace("\n", "\r\n"));
        QCOMPARE(w.cell(target.x(), target.y()), "25 mg");
    }

    // Keys typed during the pause before the editor opens reach it in order,
    // after the text: it opens with the caret at the end. The line editor's
    // default limit of 32767 characters would cut a longer cell.
    void typingAddsToTheEnd_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("before");
        QTest::newRow("Text1") << 2 << "5 mg";
        QTest::newRow("Text3") << 6 << "Take with food\r\nAvoid alcohol";
        QTest::newRow("Text1, 40000 characters") << 1 << QString(40000, u'a');
    }
    void typingAddsToTheEnd()
    {
        QFETCH(int, column);
        QFETCH(QString, before);
        MainWindow w;
        w.openList();
        w.setCell(2, column, before);
        QTest::keyClick(w.type(2, column, QStringLiteral(", daily")), Qt::Key_Tab);
        QCOMPARE(w.cell(2, column), before + ", daily");
    }

    // A list file gives a "~" back as a line break and has no byte for
    // characters outside windows-1252: refused, typed or pasted, with a hint.
    void editorsRefuseWhatFilesCannotStore_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("refused");
        const QString heart = QStringLiteral("\U0001F493");
        QTest::newRow("Text1, Greek") << "Text1"
                                      << "a~Ωb"
                                      << "ab"
                                      << "Ω";
        QTest::newRow("Text1, emoji") << "Text1"
                                      << "x" + heart << "x" << heart;
        QTest::newRow("Text3, at least") << "Text3"
                                         << "é€≥5"
                                         << "é€5"
                                         << "≥";
        QTest::newRow("Text3, emoji") << "Text3" << heart + "x"
                                      << "x" << heart;
        QTest::newRow("Text2, tilde") << "Text2"
                                      << "Mü~"
                                      << "Mü"
                                      << "~";
        QTest::newRow("Text2, emoji") << "Text2" << heart << "" << heart;
    }
    void editorsRefuseWhatFilesCannotStore()
    {
        QFETCH(QString, editor);
        QFETCH(QString, input);
        QFETCH(QString, kept);
        QFETCH(QString, refused);
        MainWindow w;
        w.openList();
        w.type(2, editor == u"Text3" ? 6 : 1);
        QWidget *field = w.control(editor);
        field->setFocus();
        const auto shown = [&] {
            const auto *line = qobject_cast<QLineEdit *>(field);
            return line ? line->text() : static_cast<QPlainTextEdit *>(field)->toPlainText();
        };
        // keyClicks types Latin-1 only; an emoji comes as one key of two units.
        for (qsizetype i = 0; i < input.size(); ++i) {
            const qsizetype units = input[i].isHighSurrogate() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, input.mid(i, units), {});
            i += units - 1;
        }
        QCOMPARE(shown(), kept);
        const auto *hint = w.control<QLabel>("refusalHint");
        QVERIFY(hint && hint->isVisible() && hint->text().contains('"' + refused + '"'));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(shown(), kept);
    }

    // A list written under Windows, every cell opened and left, then saved,
    // comes back byte for byte, the window's place and fonts included. One
    // keystroke in the general notes changes that place only.
    void windowsListComesBackUnchanged()
    {
        QByteArray original = windowsFile();
        original.replace("with food", "with\xa0"
                                      "food");
        MainWindow w("Mum\r\nRen\xe9"
                     "e\r\n");
        w.write(QStringLiteral("Renée.dat"), original);
        w.show();
        w.choose(QStringLiteral("Renée"));
        QVERIFY(!w.changed()); // showing the general notes is no change
        QCOMPARE(w.form->frameGeometry(), QRect(1440 / 15, 720 / 15, 10800 / 15, 7200 / 15));
        QVERIFY(w.action("mnuFontSizeOp_1")->isChecked() && w.action("mnuBold")->isChecked());
        for (int row = 1; row <= 4; ++row) {
            for (int column = 1; column <= 6; ++column) {
                QVERIFY(w.type(row, column));
                w.grid()->setCurrentCell(9, 1);
            }
        }
        w.press(Form1Ui::SaveButton);
        QCOMPARE(w.bytes(QStringLiteral("Renée.dat")), original);
        QCOMPARE(w.prompter.log, QStringList());

        QWidget *notes = w.control("Text2");
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(notes, QStringLiteral("!"));
        QCOMPARE(w.list.notes(), QStringLiteral("!Call Dr. Müller\r\nMon–Fri 8\r12\r\n"));
        QVERIFY(w.changed());
    }
};

QTEST_MAIN(TestCellEdit)
#include "tst_celledit.moc"
