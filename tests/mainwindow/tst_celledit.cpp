#include "MainWindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// What the user types into each column; Name is wider than its header.
const QStringList Typed{"",           "Acetylsalicylic acid",         "5 mg", "twice", "",
                        "2026-12-03", "Take with food\nAvoid alcohol"};

QByteArray windowsFile()
{
    QFile source(QStringLiteral(PILLORA_TEST_DATA "/windows-roundtrip.dat"));
    return source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray();
}

void wheel(QWidget *widget, QPoint at)
{
    QWheelEvent event(at, widget->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &event);
}

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
    // Every way an open edit ends, and the ways it stays open. Scrolling
    // and Tab keep what was typed, as leaving the cell does.
    void editEnds_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("outcome");
        QTest::addColumn<bool>("highlights");
        // clang-format off
        QTest::newRow("click on another cell")     << 1 << "click"  << "commit"  << false;
        QTest::newRow("Notes, another cell")       << 6 << "click"  << "commit"  << false;
        QTest::newRow("Enter on refill date")      << 5 << "enter"  << "commit"  << true;
        QTest::newRow("focus loss on refill date") << 5 << "focus"  << "commit"  << true;
        QTest::newRow("focus loss elsewhere")      << 3 << "focus"  << "open"    << false;
        QTest::newRow("Notes, focus loss")         << 6 << "focus"  << "open"    << false;
        QTest::newRow("Tab out of Text1")          << 2 << "tab"    << "commit"  << false;
        QTest::newRow("Tab out of Text3")          << 6 << "tab"    << "commit"  << false;
        QTest::newRow("Esc in Text3")              << 6 << "esc"    << "abandon" << false;
        QTest::newRow("Esc on refill date")        << 5 << "esc"    << "abandon" << true;
        QTest::newRow("scroll bar")                << 2 << "scroll" << "commit"  << false;
        QTest::newRow("wheel")                     << 6 << "wheel"  << "commit"  << false;
        // clang-format on
    }
    void editEnds()
    {
        QFETCH(int, column);
        QFETCH(QString, how);
        QFETCH(QString, outcome);
        QFETCH(bool, highlights);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        MedicationGrid *grid = w.grid();
        w.setCell(7, 5, QStringLiteral("2026-12-02")); // due, not coloured yet
        const int nameWidth = grid->colWidth(1);
        w.type(3, column, Typed[column]);
        QWidget *editor = QApplication::focusWidget();

        if (how == u"click") {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, w.centreOf(5, 1));
        } else if (how == u"enter" || how == u"esc") {
            QTest::keyClick(editor, how == u"esc" ? Qt::Key_Escape : Qt::Key_Return);
        } else if (how == u"tab") {
            QTest::keyClick(editor, Qt::Key_Tab);
        } else if (how == u"focus") {
            w.text2()->setFocus();
            QTRY_VERIFY(w.text2()->hasFocus());
        } else if (how == u"scroll") {
            grid->verticalScrollBar()->setValue(5);
        } else {
            wheel(grid->viewport(), w.centreOf(4, 1));
        }
        const bool committed = outcome == u"commit";
        const QString stored = QString(Typed[column]).replace(u'\n', QStringLiteral("\r\n"));
        QCOMPARE(w.editing(), outcome == u"open");
        QCOMPARE(editor->isVisible(), outcome == u"open");
        QCOMPARE(w.cell(3, column), committed ? stored : QString());
        QCOMPARE(w.changed(), committed);
        QCOMPARE(grid->colWidth(1) > nameWidth, committed && column == 1); // columns fitted again
        QCOMPARE(w.due(7), highlights);
        QCOMPARE(w.current(), how == u"click" ? QPoint(5, 1) : QPoint(3, column));
        // The next leave-cell commits an edit still open, and nothing else.
        grid->setCurrentCell(9, 1);
        QCOMPARE(w.cell(3, column), outcome == u"abandon" ? QString() : stored);
    }

    // The first click of the pair commits the open edit, which refits the
    // columns or rows; the second click then lies over another cell. The
    // editor still opens on the cell the user double-clicked.
    void doubleClickOnAnotherCellWhileEditing_data()
    {
        QTest::addColumn<QPoint>("edited");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QPoint>("target");
        const QString wideName = QStringLiteral("Hydrochlorothiazide");
        QTest::newRow("Name widens, Dosage beside it") << QPoint(1, 1) << wideName << QPoint(1, 2);
        QTest::newRow("into the Notes editor") << QPoint(1, 1) << wideName << QPoint(1, 6);
        QTest::newRow("a taller row pushes the next one down")
            << QPoint(1, 6) << "Morning\nNoon\nEvening\nNight" << QPoint(2, 3);
    }
    void doubleClickOnAnotherCellWhileEditing()
    {
        QFETCH(QPoint, edited);
        QFETCH(QString, typed);
        QFETCH(QPoint, target);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        w.setCell(target.x(), target.y(), QStringLiteral("25"));
        w.type(edited.x(), edited.y(), typed);
        w.doubleClickAt(w.centreOf(target.x(), target.y()));
        QWidget *editor = w.editor();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral(" mg"));
        w.grid()->setCurrentCell(9, 1);

        QCOMPARE(w.cell(edited.x(), edited.y()), QString(typed).replace("\n", "\r\n"));
        QCOMPARE(w.cell(target.x(), target.y()), "25 mg");
    }

    // "Albuterol" typed at once after the double-click must not lose its
    // first letters to the pause before the editor opens.
    void keysTypedDuringThePauseReachTheEditor_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("single-line editor") << 1;
        QTest::newRow("Notes editor") << 6;
    }
    void keysTypedDuringThePauseReachTheEditor()
    {
        QFETCH(int, column);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        QWidget *viewport = w.grid()->viewport();
        const QPoint at = w.centreOf(2, column);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        // Typed straight after the double-click: the keys wait in the queue
        // while the program handles the click.
        for (QChar c : QStringLiteral("Albuterol")) {
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                QCoreApplication::postEvent(QApplication::focusWidget(),
                                            new QKeyEvent(type, Qt::Key_unknown, {}, QString(c)));
        }
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        QVERIFY(w.editor());
        QTRY_COMPARE(shownText(QApplication::focusWidget()), "Albuterol");
        w.grid()->setCurrentCell(9, 1);
        QCOMPARE(w.cell(2, column), "Albuterol");
    }

    // Both editors open with the caret at the end, so added words follow
    // the text; a cell longer than the line editor's default limit of
    // 32767 characters is never cut.
    void typingAddsToTheEnd_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("before");
        QTest::newRow("Dosage") << 2 << "5 mg";
        QTest::newRow("Notes") << 6 << "Take with food\r\nAvoid alcohol";
        QTest::newRow("Name of 40000 characters") << 1 << QString(40000, u'a');
        QTest::newRow("Notes of 40000 characters") << 6 << QString(40000, u'a');
    }
    void typingAddsToTheEnd()
    {
        QFETCH(int, column);
        QFETCH(QString, before);
        MainWindow w;
        w.openList();
        w.setCell(2, column, before);
        w.type(2, column, QStringLiteral(", daily"));
        w.grid()->setCurrentCell(9, 1);
        QCOMPARE(w.cell(2, column), before + ", daily");
    }

    // What the user did not change comes back byte for byte: every cell of
    // a list written under Windows opened and left, then saved.
    void openingAndLeavingChangesNothing()
    {
        QByteArray original = windowsFile();
        original.replace("5 mg", "5\xa0mg"); // a non-breaking space
        MainWindow w({"Renee"});
        w.write(QStringLiteral("Renee.dat"), original);
        QVERIFY(w.show());
        w.choose(QStringLiteral("Renee"));
        for (int row = 1; row <= 4; ++row) {
            for (int column = 1; column <= 6; ++column) {
                w.doubleClick(row, column);
                QVERIFY(w.editor());
                w.grid()->setCurrentCell(9, 1);
            }
        }
        QVERIFY(w.save());
        QCOMPARE(w.bytes(QStringLiteral("Renee.dat")), original);
    }

    // One keystroke in the general notes changes that place only; the lone
    // CR the notes hold stays a lone CR.
    void generalNotesKeepWhatWasNotTyped()
    {
        const QByteArray original = windowsFile();
        MainWindow w({"Renee"});
        w.write(QStringLiteral("Renee.dat"), original);
        QVERIFY(w.show());
        w.choose(QStringLiteral("Renee"));
        QVERIFY(!w.changed()); // showing the notes is no change
        w.text2()->setFocus();
        QTest::keyClick(w.text2(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(w.text2(), QStringLiteral("!"));

        QCOMPARE(w.list.notes(), QStringLiteral("!Call Dr. Müller\r\nMon–Fri 8\r12\r\n"));
        QVERIFY(w.changed()); // so New, Load and closing ask about it
        w.prompter.answers << false;
        QVERIFY(w.form->close());
        QCOMPARE(w.prompter.log, QStringList{"ask Pillora: Save current medications list?"});
    }

    // A list file gives a "~" back as a line break and has no byte for
    // characters outside windows-1252. All three editors refuse them, typed
    // or pasted, and say which character they refused.
    void editorsRefuseWhatFilesCannotStore_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refused");
        const QString heart = QStringLiteral("\U0001F493");
        // clang-format off
        QTest::newRow("Text1")               << "Text1" << "a~Ωb"      << "ab"       << "Ω";
        QTest::newRow("Text1, emoji")        << "Text1" << "x" + heart << "x"        << heart;
        QTest::newRow("Text3, Greek")        << "Text3" << "é€β"       << "é€"       << "β";
        QTest::newRow("Text3, at least")     << "Text3" << "≥5"        << "5"        << "≥";
        QTest::newRow("Text3, emoji")        << "Text3" << heart + "x" << "x"        << heart;
        QTest::newRow("Text2, tilde")        << "Text2" << "x~"        << "x"        << "~";
        QTest::newRow("Text2, emoji")        << "Text2" << heart       << ""         << heart;
        QTest::newRow("Text2, all storable") << "Text2" << "Müller €"  << "Müller €" << "";
        // clang-format on
    }
    void editorsRefuseWhatFilesCannotStore()
    {
        QFETCH(QString, editor);
        QFETCH(QString, input);
        QFETCH(QString, typed);
        QFETCH(QString, refused);
        MainWindow w;
        QVERIFY(w.show());
        w.openList();
        QWidget *field = w.form->findChild<QWidget *>(editor);
        if (editor == u"Text2")
            field->setFocus();
        else
            w.type(2, editor == u"Text3" ? 6 : 1, QString());
        auto hint = [&] { return w.form->findChild<QLabel *>(QStringLiteral("refusalHint")); };

        // keyClicks types Latin-1 only; an emoji comes as one key of two units.
        for (qsizetype i = 0; i < input.size(); ++i) {
            const qsizetype units = input[i].isHighSurrogate() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, input.mid(i, units),
                                Qt::NoModifier);
            i += units - 1;
        }
        QCOMPARE(shownText(field), typed);
        QCOMPARE(hint() && hint()->isVisible(), !refused.isEmpty());
        if (!refused.isEmpty())
            QVERIFY(hint()->text().contains('"' + refused + '"'));

        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(shownText(field), refused.isEmpty() ? input : QString());
    }
};

QTEST_MAIN(TestCellEdit)
#include "tst_celledit.moc"
