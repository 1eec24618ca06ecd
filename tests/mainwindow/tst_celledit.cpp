#include "MainWindowFixture.h"

#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

enum class Ending
{
    ScrollBar,
    Wheel,
    Enter = Qt::Key_Return,
    Tab = Qt::Key_Tab,
    Escape = Qt::Key_Escape
};

QString shownText(QWidget *field)
{
    if (auto *line = qobject_cast<QLineEdit *>(field))
        return line->text();
    return static_cast<QPlainTextEdit *>(field)->toPlainText();
}

} // namespace

class TestCellEdit : public QObject
{
    Q_OBJECT

private slots:
    // Scrolling and Tab keep what was typed, as leaving the cell does; the
    // refill warnings follow a date edit that ends.
    void editEnds_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<bool>("committed");
        QTest::addColumn<bool>("highlighted");
        QTest::newRow("Enter on refill date") << 5 << Ending::Enter << true << true;
        QTest::newRow("Tab out of Text1") << 2 << Ending::Tab << true << false;
        QTest::newRow("Tab out of Text3") << 6 << Ending::Tab << true << false;
        QTest::newRow("Esc on refill date") << 5 << Ending::Escape << false << true;
        QTest::newRow("scroll bar") << 2 << Ending::ScrollBar << true << false;
        QTest::newRow("wheel") << 6 << Ending::Wheel << true << false;
    }
    void editEnds()
    {
        QFETCH(int, column);
        QFETCH(Ending, ending);
        QFETCH(bool, committed);
        QFETCH(bool, highlighted);
        MainWindow w;
        w.openList();
        w.setCell(7, 5, QStringLiteral("2026-12-02")); // due, not highlighted yet
        w.type(3, column, QStringLiteral("2026-12-03"));
        QWidget *editor = QApplication::focusWidget();
        QWidget *viewport = w.grid()->viewport();
        QWheelEvent wheel(w.centreOf(4, 1), viewport->mapToGlobal(w.centreOf(4, 1)), {}, {0, -120},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        if (ending == Ending::ScrollBar)
            w.grid()->verticalScrollBar()->setValue(5);
        else if (ending == Ending::Wheel)
            QCoreApplication::sendEvent(viewport, &wheel);
        else
            QTest::keyClick(editor, Qt::Key(ending));
        QVERIFY(!w.editing());
        QCOMPARE(w.cell(3, column), committed ? "2026-12-03" : "");
        QCOMPARE(w.due(7), highlighted);
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
        QCOMPARE(w.cell(target.x(), target.y()), "25 mg");
    }

    // "Albuterol" typed at once after the double-click keeps its first
    // letters, which arrive during the pause before the editor opens.
    void keysTypedDuringThePauseReachTheEditor_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("Text1") << 1;
        QTest::newRow("Text3") << 6;
    }
    void keysTypedDuringThePauseReachTheEditor()
    {
        QFETCH(int, column);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        QWidget *viewport = w.grid()->viewport();
        QTest::mouseClick(viewport, Qt::LeftButton, {}, w.centreOf(2, column));
        for (QChar c : QStringLiteral("Albuterol")) {
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                QCoreApplication::postEvent(viewport->parentWidget(),
                                            new QKeyEvent(type, Qt::Key_unknown, {}, QString(c)));
        }
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, w.centreOf(2, column));
        QVERIFY(w.editor());
        QTRY_COMPARE(shownText(QApplication::focusWidget()), "Albuterol");
    }

    // Both editors open with the caret at the end; the line editor's
    // default limit of 32767 characters would cut a longer cell.
    void typingAddsToTheEnd_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("before");
        QTest::newRow("Text1") << 2 << "5 mg";
        QTest::newRow("Text3") << 6 << "Take with food\r\nAvoid alcohol";
        QTest::newRow("40000 characters") << 1 << QString(40000, u'a');
    }
    void typingAddsToTheEnd()
    {
        QFETCH(int, column);
        QFETCH(QString, before);
        MainWindow w;
        w.openList();
        w.setCell(2, column, before);
        w.type(2, column, QStringLiteral(", daily"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(w.cell(2, column), before + ", daily");
    }

    // A list file gives a "~" back as a line break and has no byte for
    // characters outside windows-1252.
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
                                      << "x~"
                                      << "x"
                                      << "~";
        QTest::newRow("Text2, all storable") << "Text2"
                                             << "Müller €"
                                             << "Müller €"
                                             << "";
    }
    void editorsRefuseWhatFilesCannotStore()
    {
        QFETCH(QString, editor);
        QFETCH(QString, input);
        QFETCH(QString, kept);
        QFETCH(QString, refused);
        MainWindow w;
        w.openList();
        w.type(2, editor == u"Text3" ? 6 : 1, QString());
        QWidget *field = w.control(editor);
        field->setFocus();
        // keyClicks types Latin-1 only; an emoji comes as one key of two units.
        for (qsizetype i = 0; i < input.size(); ++i) {
            const qsizetype units = input[i].isHighSurrogate() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, input.mid(i, units), {});
            i += units - 1;
        }
        QCOMPARE(shownText(field), kept);
        const auto *hint = w.control<QLabel>("refusalHint");
        QCOMPARE(hint && hint->isVisible() && hint->text().contains('"' + refused + '"'),
                 !refused.isEmpty());

        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(shownText(field), refused.isEmpty() ? input : kept);
    }

    // Every cell of a list written under Windows opened and left, and the
    // list saved: what the user did not change comes back byte for byte,
    // the window's place and the fonts included.
    void openingAndLeavingChangesNothing()
    {
        QByteArray original = windowsFile();
        original.replace("5 mg", "5\xa0mg"); // a non-breaking space
        MainWindow w("Mum\r\nRen\xe9"
                     "e\r\n");
        w.write(QStringLiteral("Renée.dat"), original);
        QVERIFY(w.show());
        w.choose(QStringLiteral("Renée"));
        QCOMPARE(w.form->frameGeometry(), QRect(1440 / 15, 720 / 15, 10800 / 15, 7200 / 15));
        QVERIFY(w.action("mnuFontSizeOp_1")->isChecked() && w.action("mnuBold")->isChecked());
        for (int row = 1; row <= 4; ++row) {
            for (int column = 1; column <= 6; ++column) {
                w.doubleClick(row, column);
                QVERIFY(w.editor());
                w.grid()->setCurrentCell(9, 1);
            }
        }
        w.press(Form1Ui::SaveButton);
        QCOMPARE(w.bytes(QStringLiteral("Renée.dat")), original);
        QCOMPARE(w.prompter.log, QStringList());
    }

    // Showing a list's notes is no change; one keystroke is, and changes
    // that place only: the lone CR the notes hold stays a lone CR.
    void generalNotesKeepWhatWasNotTyped()
    {
        MainWindow w("Renee\r\n");
        w.write(QStringLiteral("Renee.dat"), windowsFile());
        QVERIFY(w.show());
        w.choose(QStringLiteral("Renee"));
        QVERIFY(!w.changed());
        w.text2()->setFocus();
        QTest::keyClick(w.text2(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(w.text2(), QStringLiteral("!"));
        QCOMPARE(w.list.notes(), QStringLiteral("!Call Dr. Müller\r\nMon–Fri 8\r12\r\n"));
        QVERIFY(w.changed());
    }
};

QTEST_MAIN(TestCellEdit)
#include "tst_celledit.moc"
