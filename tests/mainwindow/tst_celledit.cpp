#include "MainWindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// What the user types into each column; Name is wider than its header.
const QStringList Typed{"",           "Acetylsalicylic acid",         "5 mg", "twice", "",
                        "2026-12-03", "Take with food\nAvoid alcohol"};

QPoint centreOf(const Form1 &form, int row, int column)
{
    return form.Grid1->visualRect(form.Grid1->tableModel().indexOfCell(row, column)).center();
}

} // namespace

class TestCellEdit : public QObject
{
    Q_OBJECT

private slots:
    // Every way an open edit ends, and the ways it stays open.
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
        QTest::newRow("Esc in Text3")              << 6 << "esc"    << "abandon" << false;
        QTest::newRow("Esc on refill date")        << 5 << "esc"    << "abandon" << true;
        QTest::newRow("scroll bar")                << 2 << "scroll" << "abandon" << false;
        QTest::newRow("wheel")                     << 6 << "wheel"  << "abandon" << false;
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
        MedicationGrid *grid = w.form->Grid1;
        w.setCell(7, 5, QStringLiteral("2026-12-02")); // due, not coloured yet
        const int nameWidth = grid->colWidth(1);
        w.type(3, column, Typed[column]);
        QWidget *editor = QApplication::focusWidget();

        if (how == u"click") {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centreOf(*w.form, 5, 1));
        } else if (how == u"enter" || how == u"esc") {
            QTest::keyClick(editor, how == u"esc" ? Qt::Key_Escape : Qt::Key_Return);
        } else if (how == u"focus") {
            w.form->Text2->setFocus();
            QTRY_VERIFY(w.form->Text2->hasFocus());
        } else if (how == u"scroll") {
            grid->verticalScrollBar()->setValue(5);
        } else {
            const QPointF at = centreOf(*w.form, 4, 1);
            QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(grid->viewport(), &wheel);
        }
        const bool committed = outcome == u"commit";
        const QString stored = QString(Typed[column]).replace(u'\n', QStringLiteral("\r\n"));
        QCOMPARE(w.form->EditingCell(), outcome == u"open");
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

    // The grid's click handling moves the current cell first, which commits
    // into the old cell; the editor then opens over the new one.
    void doubleClickOnAnotherCellWhileEditing_data()
    {
        QTest::addColumn<int>("column");
        QTest::newRow("single-line editor") << 2;
        QTest::newRow("Notes editor") << 6;
    }
    void doubleClickOnAnotherCellWhileEditing()
    {
        QFETCH(int, column);
        MainWindow w;
        QVERIFY(w.show());
        const QTableView *view = w.form->Grid1;
        w.setCell(3, column, QStringLiteral("5 mg"));
        w.type(1, 1, QStringLiteral("Aspirin"));
        const QRect target = view->visualRect(w.form->Grid1->tableModel().indexOfCell(3, column));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, target.center());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, target.center());

        QCOMPARE(w.cell(1, 1), "Aspirin");
        QVERIFY(w.form->EditingCell() && w.form->Text1->isVisible() == (column != 6));
        QWidget *editor = QApplication::focusWidget();
        QCOMPARE(editor->property(column == 6 ? "plainText" : "text").toString(), "5 mg");
        // Over the whole cell, grid line included; Notes is 3150 twips high.
        const QSize size(view->columnWidth(column - 1), column == 6 ? 210 : view->rowHeight(2));
        QCOMPARE(editor->geometry(),
                 QRect(view->viewport()->mapTo(w.form.get(), target.topLeft()), size));
    }

    // A list file gives a "~" back as a line break and has no byte for
    // characters outside windows-1252. Typing drops what cannot be stored;
    // a paste holding any of it is refused whole.
    void editorsRefuseWhatFilesCannotStore_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("typed");
        // clang-format off
        QTest::newRow("Text1")               << "Text1" << "a~Ωb"     << "ab";
        QTest::newRow("Text3")               << "Text3" << "é€~Ω"     << "é€";
        QTest::newRow("Text2")               << "Text2" << "~xΩ"      << "x";
        QTest::newRow("Text2, all storable") << "Text2" << "Müller €" << "Müller €";
        // clang-format on
    }
    void editorsRefuseWhatFilesCannotStore()
    {
        QFETCH(QString, editor);
        QFETCH(QString, input);
        QFETCH(QString, typed);
        MainWindow w;
        QVERIFY(w.show());
        QWidget *field = w.form->findChild<QWidget *>(editor);
        if (editor == u"Text2")
            field->setFocus();
        else
            w.type(2, editor == u"Text3" ? 6 : 1, QString());
        const auto *line = qobject_cast<QLineEdit *>(field);
        const auto shown = [&] {
            return line ? line->text() : static_cast<QPlainTextEdit *>(field)->toPlainText();
        };

        for (QChar c : input) // keyClicks types Latin-1 only
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(shown(), typed);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(shown(), typed == input ? input : QString());
        QVERIFY(!w.changed()); // the general notes are no cell edit
    }
};

QTEST_MAIN(TestCellEdit)
#include "tst_celledit.moc"
