// The window around the list: its closing, its selector, what it lets the
// user touch, its size. The commands' own questions are tested without a
// window, in tests/commands.

#include "MainWindowFixture.h"
#include "Twips.h"
#include "storage/TemporaryTrash.h"

#include <QStyleOptionComboBox>

using namespace Qt::StringLiterals;

using Answers = decltype(ScriptedPrompter::answers);

class TestListWindow : public QObject
{
    Q_OBJECT

    // Lists deleted by the tests go to a trash of their own.
    const TemporaryTrash m_trash;

private slots:
    // Typing in the notes is a change; the window closes once it is saved,
    // and stays when the user keeps it after a failed save.
    void closing_data()
    {
        QTest::addColumn<Answers>("answers");
        QTest::addColumn<bool>("saveFails");
        QTest::newRow("saved") << Answers{true} << false;
        QTest::newRow("the save fails, the window kept") << Answers{true, false} << true;
    }
    void closing()
    {
        QFETCH(Answers, answers);
        QFETCH(bool, saveFails);
        MainWindow w("Mum\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        if (saveFails)
            QVERIFY(QDir().mkdir(w.path("Mum.dat")));
        w.control("Text2")->setFocus();
        QTest::keyClicks(w.control("Text2"), u"x"_s);
        w.prompter.answers = answers;
        w.form->close();
        QCOMPARE(w.form->isVisible(), saveFails);
        QCOMPARE(w.bytes("Mum.dat").endsWith("\r\nx\r\n"), !saveFails);
    }

    // Another program or computer changes the catalogue while the window
    // runs: the selector follows, keeping the open list offered.
    void catalogueChangedElsewhere()
    {
        MainWindow w("Mum\r\nDad\r\n");
        QVERIFY(w.show());
        w.choose(u"Mum"_s);
        w.write("MedLists.dat", "Dad\r\n");
        const auto offered = [&w] {
            QStringList names;
            for (int i = 0; i < w.selector()->count(); ++i)
                names << w.selector()->itemText(i);
            return names;
        };
        QTRY_COMPARE(offered(), QStringList({"Dad", "Mum"}));
        QCOMPARE(w.selector()->currentText(), u"Mum"_s);
    }

    // Made very small, the window stops at a size where the strips hold
    // their buttons and nothing lies over anything else.
    void smallestWindow()
    {
        MainWindow w;
        QVERIFY(w.show());
        w.form->resize(250, 150);
        QVERIFY(w.form->minimumWidth() > 250 && w.form->minimumHeight() > 150);
        QTRY_COMPARE(w.form->size(), w.form->minimumSize());
        const QStringList names{"Picture1", "Picture2", "Grid1", "Label3", "Text2"};
        for (const QString &name : names) {
            const QRect place = w.control(name)->geometry();
            QVERIFY2(w.form->rect().contains(place), qPrintable(name));
            for (const QString &other : names) {
                QVERIFY2(other == name || !place.intersects(w.control(other)->geometry()),
                         qPrintable(name + " over " + other));
            }
        }
        for (const char *strip : {"Picture1", "Picture2"}) {
            const QWidget *holder = w.control(QString::fromLatin1(strip));
            for (const QWidget *child : holder->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                QVERIFY2(holder->rect().contains(child->geometry()),
                         qPrintable(child->objectName()));
        }
        QVERIFY(w.grid()->viewport()->height() >= Twips::toPixels(ColumnSizer::MinimumRowHeight));
    }

    // The selector's hint fits its designed width at the standard font.
    void selectorHintFits()
    {
        MainWindow w;
        QComboBox *selector = w.selector();
        QCOMPARE(selector->width(), Twips::toPixels(2415));
        QStyleOptionComboBox option;
        option.initFrom(selector);
        const QRect field = selector->style()->subControlRect(
            QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, selector);
        QFont hint = selector->font();
        hint.setBold(false);
        QVERIFY(!selector->placeholderText().isEmpty());
        QVERIFY(QFontMetrics(hint).horizontalAdvance(selector->placeholderText()) <=
                field.width() - 2);
    }

    // The list stores its window's normal place and size; loading it while
    // maximized and saving must give back what it held.
    void loadAndSaveWhileMaximized()
    {
        MainWindow w("Mum\r\n");
        const QByteArray original = windowsFile();
        w.write("Mum.dat", original);
        QVERIFY(w.show());
        w.form->showMaximized();
        QTRY_VERIFY(w.form->frameGeometry().width() >=
                    w.form->screen()->availableGeometry().width());
        w.choose(u"Mum"_s);
        QTRY_COMPARE(w.form->frameGeometry(), QRect(1440 / 15, 720 / 15, 10800 / 15, 7200 / 15));
        QVERIFY(w.press(Form1Ui::SaveButton));
        QCOMPARE(w.bytes("Mum.dat").left(40), original.left(40));
    }
};

QTEST_MAIN(TestListWindow)
#include "tst_listwindow.moc"
