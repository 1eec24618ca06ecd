#include "MainWindowFixture.h"

#include <QWheelEvent>

enum class Before
{
    StartUp,
    New,
    Load,
    Delete,
    EmptyEntry
};

class TestListOpen : public QObject
{
    Q_OBJECT

private slots:
    // Whatever a user typed before a list exists would be thrown away by
    // New, and Load and closing would not even ask.
    void onlyAnOpenListTakesInput_data()
    {
        QTest::addColumn<Before>("before");
        QTest::addColumn<bool>("open");
        QTest::newRow("start-up") << Before::StartUp << false;
        QTest::newRow("after New") << Before::New << true;
        QTest::newRow("after Load") << Before::Load << true;
        QTest::newRow("after Delete") << Before::Delete << false;
        QTest::newRow("after an empty catalogue entry") << Before::EmptyEntry << false;
    }
    void onlyAnOpenListTakesInput()
    {
        QFETCH(Before, before);
        QFETCH(bool, open);
        MainWindow w("Mum\r\n\r\n");
        QVERIFY(w.show());
        if (before == Before::New)
            w.openList(QStringLiteral("Eve"));
        if (before == Before::Load || before == Before::Delete)
            w.choose(QStringLiteral("Mum"));
        if (before == Before::Delete) {
            w.prompter.answers << true;
            QVERIFY(w.press(Form1Ui::DeleteButton));
        }
        if (before == Before::EmptyEntry)
            w.chooseIndex(1);

        w.setCell(2, 1, QStringLiteral("Aspirin"));
        w.grid()->setCurrentCell(2, 1);
        QTest::qWait(120); // the status timer's turn
        QCOMPARE(w.button(Form1Ui::UpButton)->isEnabled(), open);
        w.doubleClick(2, 2);
        QCOMPARE(w.editor(400) != nullptr, open); // its pause is 0.1 s
        w.grid()->setCurrentCell(9, 1);
        w.text2()->setFocus();
        QTest::keyClicks(w.text2(), QStringLiteral("x"));
        QCOMPARE(w.list.notes() == u"x", open);
        QCOMPARE(w.selector()->placeholderText(), "Choose a list, or press New to start one");
    }

    // A wheel turned while the pointer passes over the selector must not
    // load another list; once the selector has the focus it may.
    void wheelOverTheSelector_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("passing over") << false << "Mum";
        QTest::newRow("selector has the focus") << true << "Dad";
    }
    void wheelOverTheSelector()
    {
        QFETCH(bool, focused);
        QFETCH(QString, loaded);
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(QStringLiteral("Mum"));
        QComboBox *selector = w.selector();
        if (focused)
            selector->setFocus();
        QTRY_COMPARE(selector->hasFocus(), focused);
        const QPoint at = selector->rect().center();
        QWheelEvent down(at, selector->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(selector, &down);
        QCOMPARE(w.name(), loaded);
        QCOMPARE(selector->currentText(), loaded);
    }
};

QTEST_MAIN(TestListOpen)
#include "tst_listopen.moc"
