#include "ListWindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// What the user types into each column; Name is wider than its header.
// clang-format off
const QStringList Typed{"", "Acetylsalicylic acid", "5 mg", "twice", "", "2026-12-03",
                        "Take with food\nAvoid alcohol"};
// clang-format on

QRect cellRect(const Form1 &form, int row, int column)
{
    return form.Grid1->visualRect(form.Grid1->tableModel().indexOfCell(row, column));
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
        QTest::addColumn<int>("highlightRuns");
        // clang-format off
        QTest::newRow("program moves the cell")    << 1 << "program" << "commit"  << 0;
        QTest::newRow("click on another cell")     << 2 << "click"   << "commit"  << 0;
        QTest::newRow("Notes, leaving the cell")   << 6 << "program" << "commit"  << 0;
        QTest::newRow("Enter")                     << 1 << "enter"   << "commit"  << 0;
        QTest::newRow("Enter on refill date")      << 5 << "enter"   << "commit"  << 1;
        QTest::newRow("focus loss on refill date") << 5 << "focus"   << "commit"  << 1;
        QTest::newRow("focus loss elsewhere")      << 3 << "focus"   << "open"    << 0;
        QTest::newRow("Notes, focus loss")         << 6 << "focus"   << "open"    << 0;
        QTest::newRow("Esc in Text1")              << 1 << "esc"     << "abandon" << 0;
        QTest::newRow("Esc in Text3")              << 6 << "esc"     << "abandon" << 0;
        QTest::newRow("Esc on refill date")        << 5 << "esc"     << "abandon" << 1;
        QTest::newRow("scroll bar")                << 2 << "scroll"  << "abandon" << 0;
        QTest::newRow("wheel")                     << 6 << "wheel"   << "abandon" << 0;
        // clang-format on
    }
    void editEnds()
    {
        QFETCH(int, column);
        QFETCH(QString, how);
        QFETCH(QString, outcome);
        QFETCH(int, highlightRuns);
        ListWindow w;
        QVERIFY(w.showActive());
        MedicationGrid *grid = w.form->Grid1;
        w.form->list().setCell(7, 5, QStringLiteral("2026-12-02")); // due, not coloured yet
        const int nameWidth = grid->colWidth(1);
        w.type(3, column, Typed[column]);
        QWidget *editor = QApplication::focusWidget();
        w.clock.calls = 0;

        if (how == u"program") {
            grid->setCurrentCell(5, 1);
        } else if (how == u"click") {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              cellRect(*w.form, 5, 1).center());
        } else if (how == u"enter" || how == u"esc") {
            QTest::keyClick(editor, how == u"esc" ? Qt::Key_Escape : Qt::Key_Return);
        } else if (how == u"focus") {
            w.form->Text2->setFocus();
            QTRY_VERIFY(w.form->Text2->hasFocus());
        } else if (how == u"scroll") {
            grid->verticalScrollBar()->setValue(5);
        } else {
            const QPointF at = cellRect(*w.form, 4, 1).center();
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
        QCOMPARE(w.clock.calls, highlightRuns);
        QCOMPARE(w.due(7), highlightRuns > 0);
        if (how != u"program" && how != u"click")
            QCOMPARE(QPoint(grid->row(), grid->col()), QPoint(3, column));
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
        ListWindow w;
        QVERIFY(w.showActive());
        w.form->list().setCell(3, column, QStringLiteral("5 mg"));
        w.type(1, 1, QStringLiteral("Aspirin"));
        const QRect target = cellRect(*w.form, 3, column);
        QTest::mouseClick(w.form->Grid1->viewport(), Qt::LeftButton, {}, target.center());
        QTest::mouseDClick(w.form->Grid1->viewport(), Qt::LeftButton, {}, target.center());

        QCOMPARE(w.cell(1, 1), "Aspirin");
        QVERIFY(w.form->EditingCell() && w.form->Text1->isVisible() == (column != 6));
        QWidget *editor = QApplication::focusWidget();
        QCOMPARE(editor->property(column == 6 ? "plainText" : "text").toString(), "5 mg");
        // Over the whole cell, grid line included; Notes is 3150 twips high.
        const QTableView *view = w.form->Grid1;
        const QSize size(view->columnWidth(column - 1), column == 6 ? 210 : view->rowHeight(2));
        QCOMPARE(editor->geometry(),
                 QRect(view->viewport()->mapTo(w.form.get(), target.topLeft()), size));
    }

    // A list file gives a "~" back as a line break and has no byte for
    // characters outside windows-1252.
    void editorsRefuseWhatFilesCannotStore_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("Text1 typed")          << "Text1" << false << "a~Ωb"   << "ab";
        QTest::newRow("Text1 pasted tilde")   << "Text1" << true  << "a~b"    << "";
        QTest::newRow("Text3 typed")          << "Text3" << false << "é€~Ω"   << "é€";
        QTest::newRow("Text3 pasted Greek")   << "Text3" << true  << "Ωmega"  << "";
        QTest::newRow("Text2 typed")          << "Text2" << false << "~xΩ"    << "x";
        QTest::newRow("Text2 pasted tilde")   << "Text2" << true  << "x~"     << "";
        QTest::newRow("Text2 pasted accents") << "Text2" << true  << "Müller" << "Müller";
        // clang-format on
    }
    void editorsRefuseWhatFilesCannotStore()
    {
        QFETCH(QString, editor);
        QFETCH(bool, pasted);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        ListWindow w;
        QVERIFY(w.showActive());
        QWidget *field = w.form->findChild<QWidget *>(editor);
        if (editor == u"Text2")
            field->setFocus();
        else
            w.type(2, editor == u"Text3" ? 6 : 1, QString());

        if (pasted) {
            QGuiApplication::clipboard()->setText(input);
            QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        } else {
            for (QChar c : input) // keyClicks types Latin-1 only
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
        const auto *line = qobject_cast<QLineEdit *>(field);
        QCOMPARE(line ? line->text() : static_cast<QPlainTextEdit *>(field)->toPlainText(),
                 expected);
        QVERIFY(!w.changed()); // the general notes are no cell edit
    }
};

QTEST_MAIN(TestCellEdit)
#include "tst_celledit.moc"
