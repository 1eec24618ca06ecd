#include "MainWindowFixture.h"

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

class TestCellEdit : public QObject
{
    Q_OBJECT

private slots:
    // Typed during the pause before the editor opens; an edit committed by the
    // first click refits the grid under the second. Text1's default limit of
    // 32767 characters would cut a long cell.
    void typingAddsToTheEnd_data()
    {
        QTest::addColumn<Step>("editing");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("before");
        QTest::addColumn<Step>("ending");
        QTest::addColumn<bool>("committed");
        const Step nothing = [](MainWindow &) {};
        const auto key = [](Qt::Key key) {
            return Step([key](auto &) { QTest::keyClick(QApplication::focusWidget(), key); });
        };
        const Step wheel = [](MainWindow &w) {
            QWheelEvent down({9, 9}, {9, 9}, {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                             Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(w.grid()->viewport(), &down);
        };
        const Step tallRowAbove = [](MainWindow &w) { w.type(1, 6, u"1\n2\n3\n4"_s); };
        const QString notes = u"Take with food\r\nAvoid alcohol"_s;
        QTest::newRow("Text1, 40000 characters, Tab")
            << nothing << 1 << QString(40000, u'a') << key(Qt::Key_Tab) << true;
        QTest::newRow("Text3, wheel") << nothing << 6 << notes << wheel << true;
        QTest::newRow("editing a row above that grows")
            << tallRowAbove << 3 << "twice" << key(Qt::Key_Return) << true;
        QTest::newRow("Text3, Esc") << nothing << 6 << notes << key(Qt::Key_Escape) << false;
    }
    void typingAddsToTheEnd()
    {
        QFETCH(Step, editing);
        QFETCH(int, column);
        QFETCH(QString, before);
        QFETCH(Step, ending);
        QFETCH(bool, committed);
        MainWindow w;
        w.openList();
        w.setCell(2, column, before);
        editing(w);
        w.type(2, column, u", daily"_s);
        ending(w);
        w.grid()->setCurrentCell(9, 1); // leaving the cell commits nothing more
        QCOMPARE(w.cell(2, column), committed ? before + ", daily" : before);
        QCOMPARE(w.changed(), committed);
    }

    // The editor's own menu keeps the edit open, so its Paste goes into
    // what is shown.
    void pasteFromTheEditorsOwnMenu_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("refill date") << 5;
        QTest::newRow("Notes") << 6;
    }
    void pasteFromTheEditorsOwnMenu()
    {
        QFETCH(int, column);
        MainWindow w;
        w.openList();
        w.setCell(2, column, u"1/2/2027"_s);
        QWidget *editor = w.type(2, column);
        QVERIFY(editor);
        QGuiApplication::clipboard()->setText(u" 12/24/2026"_s);
        QWidget *target =
            column == 6 ? static_cast<QAbstractScrollArea *>(editor)->viewport() : editor;
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5),
                                    target->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(target, &menuEvent);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        const QList<QAction *> offered = menu->actions();
        const auto paste = std::find_if(offered.cbegin(), offered.cend(), [](QAction *action) {
            return action->text().remove(u'&').startsWith(u"Paste"_s);
        });
        QVERIFY(paste != offered.cend() && (*paste)->isEnabled());
        menu->hide();
        (*paste)->trigger();
        QVERIFY(editor->isVisible() && !w.changed());
        editor->setFocus();
        w.grid()->setCurrentCell(9, 1);
        QCOMPARE(w.cell(2, column), u"1/2/2027 12/24/2026"_s);
    }

    // A list file gives a "~" back as a line break.
    void editorsRefuseWhatFilesCannotStore_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("refused");
        const QString heart = u"\U0001F493"_s;
        // clang-format off
        QTest::newRow("Text1, Greek")    << "Text1" << "a~Ωb"      << "ab"  << "Ω";
        QTest::newRow("Text3, at least") << "Text3" << "é€≥5"      << "é€5" << "≥";
        QTest::newRow("Text3, emoji")    << "Text3" << heart + "x" << "x"   << heart;
        QTest::newRow("Text2, tilde")    << "Text2" << "Mü~"       << "Mü"  << "~";
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
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->property(text).toString(), kept);
    }

    // Every cell opened and left, then saved; then one keystroke in the notes.
    void windowsListComesBackUnchanged()
    {
        QByteArray original = windowsFile();
        original.replace("with food", "with\240food"); // a non-breaking space
        MainWindow w("Mum\r\nRen\351e\r\n");
        w.write(u"Renée.dat"_s, original);
        w.show();
        w.choose(u"Renée"_s);
        QVERIFY(!w.changed()); // showing the general notes is no change
        for (int row = 1; row <= 4; ++row) {
            for (int column = 1; column <= 6; ++column) {
                QVERIFY(w.type(row, column));
                w.grid()->setCurrentCell(9, 1);
            }
        }
        w.press(Form1Ui::SaveButton);
        QCOMPARE(w.bytes(u"Renée.dat"_s), original);
        QCOMPARE(w.prompter.log, QStringList());
        QWidget *notes = w.control("Text2");
        notes->setFocus();
        QTest::keyClick(notes, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(notes, u"!"_s);
        QCOMPARE(w.list.notes(), u"!Call Dr. Müller\r\nMon–Fri 8\r12\r\n"_s);
        QVERIFY(w.changed());
    }
};

QTEST_MAIN(TestCellEdit)
#include "tst_celledit.moc"
