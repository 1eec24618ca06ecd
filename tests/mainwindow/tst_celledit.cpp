#include "MainWindowFixture.h"

#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

class TestCellEdit : public QObject
{
    Q_OBJECT

private slots:
    void scrollingCommits_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("wheel");
        QTest::newRow("scroll bar, Text1") << 2 << false;
        QTest::newRow("wheel, Text3") << 6 << true;
    }
    void scrollingCommits()
    {
        QFETCH(int, column);
        QFETCH(bool, wheel);
        MainWindow w;
        w.openList();
        w.type(3, column, QStringLiteral("5 mg"));
        QWidget *viewport = w.grid()->viewport();
        QWheelEvent down(QPointF(9, 9), viewport->mapToGlobal(QPointF(9, 9)), {}, {0, -120},
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        if (wheel)
            QCoreApplication::sendEvent(viewport, &down);
        else
            w.grid()->verticalScrollBar()->setValue(5);
        QCOMPARE(w.cell(3, column), "5 mg");
    }

    // The commit by the first click of the pair refits the columns or rows,
    // so the second lies over another cell.
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

    // Typed during the pause before the editor opens, committed by Tab. The
    // line editor's default limit of 32767 characters would cut a long cell.
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

    // A list file gives a "~" back as a line break.
    void editorsRefuseWhatFilesCannotStore_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("refused");
        const QString heart = QStringLiteral("\U0001F493");
        // clang-format off
        QTest::newRow("Text1, Greek")    << "Text1" << "a~Ωb"      << "ab"  << "Ω";
        QTest::newRow("Text1, emoji")    << "Text1" << "x" + heart << "x"   << heart;
        QTest::newRow("Text3, at least") << "Text3" << "é€≥5"      << "é€5" << "≥";
        QTest::newRow("Text3, emoji")    << "Text3" << heart + "x" << "x"   << heart;
        QTest::newRow("Text2, tilde")    << "Text2" << "Mü~"       << "Mü"  << "~";
        QTest::newRow("Text2, emoji")    << "Text2" << heart       << ""    << heart;
        // clang-format on
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
        const char *text = field->inherits("QLineEdit") ? "text" : "plainText";
        // keyClicks types Latin-1 only; an emoji comes as one key of two units.
        for (qsizetype i = 0; i < input.size(); ++i) {
            const qsizetype units = input[i].isHighSurrogate() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, input.mid(i, units), {});
            i += units - 1;
        }
        QCOMPARE(field->property(text).toString(), kept);
        const auto *hint = w.control<QLabel>("refusalHint");
        QVERIFY(hint && hint->isVisible() && hint->text().contains('"' + refused + '"'));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->property(text).toString(), kept);
    }

    // Every cell opened and left, then saved: byte for byte, window and fonts
    // included. Then one keystroke changes that place of the notes only.
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
