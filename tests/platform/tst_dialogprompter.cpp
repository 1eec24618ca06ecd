#include "DialogPrompter.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The desktop's own box, answered with a key as a person would.
class TestDialogPrompter : public QObject
{
    Q_OBJECT

private slots:
    // Enter gives the default answer, Esc always No.
    void yesNoKeys_data()
    {
        QTest::addColumn<Prompter::DefaultAnswer>("defaultAnswer");
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("yes");
        using Answer = Prompter::DefaultAnswer;
        QTest::newRow("default No, Enter") << Answer::No << Qt::Key_Return << false;
        QTest::newRow("default Yes, Enter") << Answer::Yes << Qt::Key_Return << true;
        QTest::newRow("default Yes, Esc") << Answer::Yes << Qt::Key_Escape << false;
    }
    void yesNoKeys()
    {
        QFETCH(Prompter::DefaultAnswer, defaultAnswer);
        QFETCH(Qt::Key, key);
        QFETCH(bool, yes);
        QTimer::singleShot(0, this, [key] {
            QWidget *box = nullptr;
            QTRY_VERIFY((box = QApplication::activeModalWidget()));
            QVERIFY(QTest::qWaitForWindowActive(box));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : box, key);
        });
        DialogPrompter prompter;
        QCOMPARE(prompter.askYesNo(u"Delete Mum med file?"_s, u"Pillora"_s, defaultAnswer), yes);
    }
};

QTEST_MAIN(TestDialogPrompter)
#include "tst_dialogprompter.moc"
