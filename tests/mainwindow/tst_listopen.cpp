#include "MainWindowFixture.h"

#include <QPlainTextEdit>
#include <QWheelEvent>

namespace {

// What a user can do to the grid and the general notes.
struct Editable
{
    bool grid;
    bool notes;
    bool rowButtons;
};

Editable tryEditing(MainWindow &w)
{
    w.setCell(2, 1, QStringLiteral("Aspirin"));
    w.grid()->setCurrentCell(2, 1);
    // The status timer has had its 50 ms to enable the row buttons.
    QTest::qWait(120);
    const bool rowButtons = w.button(Form1Ui::UpButton)->isEnabled();
    w.doubleClick(2, 2);
    // The editor opens within its pause of 0.1 s, or not at all.
    const bool grid = w.editor(400) != nullptr;
    w.grid()->setCurrentCell(9, 1);
    w.text2()->setFocus();
    QTest::keyClicks(w.text2(), QStringLiteral("x"));
    const bool notes = w.list.notes() == u"x";
    w.text2()->clear();
    return {grid, notes, rowButtons};
}

} // namespace

class TestListOpen : public QObject
{
    Q_OBJECT

private slots:
    // Whatever a new user types before a list exists would be thrown away
    // by New, and Load and closing would not even ask; so until New or Load
    // the grid and the general notes take no input.
    void onlyAnOpenListTakesInput_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("open");
        QTest::newRow("start-up") << "start" << false;
        QTest::newRow("after New") << "new" << true;
        QTest::newRow("after Load") << "load" << true;
        QTest::newRow("after Delete") << "delete" << false;
        QTest::newRow("after an empty catalogue item") << "empty" << false;
    }
    void onlyAnOpenListTakesInput()
    {
        QFETCH(QString, state);
        QFETCH(bool, open);
        MainWindow w({"Mum", ""});
        QVERIFY(w.show());
        if (state == u"new")
            w.openList(QStringLiteral("Eve"));
        if (state == u"load" || state == u"delete")
            w.choose(QStringLiteral("Mum"));
        if (state == u"delete") {
            w.prompter.answers << true;
            QVERIFY(w.press(Form1Ui::DeleteButton));
        }
        if (state == u"empty")
            w.choose(QString());

        const Editable editable = tryEditing(w);
        QCOMPARE(editable.grid, open);
        QCOMPARE(editable.notes, open);
        QCOMPARE(editable.rowButtons, open);
        QCOMPARE(w.selector()->placeholderText(), "Choose a list, or press New to start one");
    }

    // A wheel turned while the pointer passes over the selector must not
    // load another list; once the selector has the focus it may.
    void wheelOverTheSelector_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::newRow("passing over") << false;
        QTest::newRow("selector has the focus") << true;
    }
    void wheelOverTheSelector()
    {
        QFETCH(bool, focused);
        MainWindow w({"Mum", "Dad"});
        QVERIFY(w.show());
        w.choose(QStringLiteral("Mum"));
        QComboBox *selector = w.selector();
        if (focused) {
            selector->setFocus();
            QTRY_VERIFY(selector->hasFocus());
        }
        const QPoint at = selector->rect().center();
        QWheelEvent down(at, selector->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(selector, &down);

        QCOMPARE(w.name(), focused ? "Dad" : "Mum");
        QCOMPARE(selector->currentText(), w.name());
    }
};

QTEST_MAIN(TestListOpen)
#include "tst_listopen.moc"
