// The desktop's own boxes, answered with keys from a timer as a person
// would: these keys are what the tests are about.

#include "DialogPrompter.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// Presses keys in the modal box once it is shown, and notes what the box
// showed in its text field.
struct Answerer
{
    QList<QKeyCombination> keys;
    QString fieldText;

    void answerSoon()
    {
        QTimer::singleShot(0, [this] {
            QWidget *box = nullptr;
            QTRY_VERIFY((box = QApplication::activeModalWidget()));
            QVERIFY(QTest::qWaitForWindowActive(box));
            if (const auto *field = box->findChild<QLineEdit *>())
                fieldText = field->text();
            for (QKeyCombination key : keys) {
                QWidget *focused = QApplication::focusWidget();
                QTest::keyClick(focused ? focused : box, key.key(), key.keyboardModifiers());
            }
        });
    }
};

} // namespace

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
        QTest::newRow("default No, Esc") << Answer::No << Qt::Key_Escape << false;
        QTest::newRow("default Yes, Enter") << Answer::Yes << Qt::Key_Return << true;
        QTest::newRow("default Yes, Esc") << Answer::Yes << Qt::Key_Escape << false;
    }
    void yesNoKeys()
    {
        QFETCH(Prompter::DefaultAnswer, defaultAnswer);
        QFETCH(Qt::Key, key);
        QFETCH(bool, yes);
        DialogPrompter prompter;
        Answerer answerer{{QKeyCombination(key)}, {}};
        answerer.answerSoon();
        QCOMPARE(prompter.askYesNo(u"Delete Mum med file?"_s, u"Pillora"_s, defaultAnswer), yes);
    }

    // The box opens holding the text given, ready to be kept or corrected.
    void inputBoxHoldsTheText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QKeyCombination>>("keys");
        QTest::addColumn<QString>("answer");
        using Keys = QList<QKeyCombination>;
        const QKeyCombination enter(Qt::Key_Return);
        // clang-format off
        QTest::newRow("empty, typed") << "" << Keys{Qt::Key_A, enter} << "a";
        QTest::newRow("corrected")    << "Tom/" << Keys{Qt::Key_End, Qt::Key_Backspace, enter}
                                      << "Tom";
        QTest::newRow("Cancel")       << "Tom/" << Keys{Qt::Key_Escape} << "";
        // clang-format on
    }
    void inputBoxHoldsTheText()
    {
        QFETCH(QString, text);
        QFETCH(QList<QKeyCombination>, keys);
        QFETCH(QString, answer);
        DialogPrompter prompter;
        Answerer answerer{keys, {}};
        answerer.answerSoon();
        QCOMPARE(prompter.askText(u"Enter name"_s, u"Create"_s, text), answer);
        QCOMPARE(answerer.fieldText, text);
    }
};

QTEST_MAIN(TestDialogPrompter)
#include "tst_dialogprompter.moc"
