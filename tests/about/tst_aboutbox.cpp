#include "AddressOpener.h"
#include "CalendarFixture.h"
#include "ProgramInfo.h"
#include "Prompter.h"
#include "Twips.h"
#include "frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

class Opener : public AddressOpener
{
public:
    bool succeeds = true;
    QList<QUrl> opened;
    bool open(const QUrl &address) override
    {
        opened << address;
        return succeeds;
    }
};

// Logs each message as "<title>: <text>"; the About box asks nothing.
class MessageLog : public Prompter
{
public:
    QStringList messages;
    void tell(const QString &text, const QString &title) override { log(title, text); }
    void inform(const QString &text, const QString &title) override { log(title, text); }
    void warn(const QString &text, const QString &title) override { log(title, text); }
    bool askYesNo(const QString &text, const QString &title) override { return log(title, text); }
    QString askText(const QString &text, const QString &title) override
    {
        return log(title, text), QString();
    }
    QString askSaveFileName(const QString &title, const QString &path, const QString &) override
    {
        return log(title, path), QString();
    }

private:
    bool log(const QString &title, const QString &text)
    {
        messages << title + ": " + text;
        return false;
    }
};

struct AboutBox
{
    AboutBox() : box(&owner, opener, log)
    {
        owner.show();
        box.show();
    }
    template <typename T = QLabel> T *control(const QString &name)
    {
        return box.findChild<T *>(name);
    }

    QWidget owner;
    Opener opener;
    MessageLog log;
    frmAbout box;
};

} // namespace

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(ProgramInfo::webSite().scheme().startsWith(u"http"),
                 "the web site is an http address");
    }

    void versionText()
    {
        AboutBox about;
        QCOMPARE(about.control("Label1_1")->text(), "Version " PILLORA_TEST_VERSION);
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QList<QUrl>>("opened");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("staysOpen");
        const QUrl site = ProgramInfo::webSite();
        const QUrl mail("mailto:" + ProgramInfo::supportMailAddress());
        QTest::newRow("web site opens")
            << "Label1_3" << true << QList{site} << QStringList() << false;
        QTest::newRow("web site fails")
            << "Label1_3" << false << QList{site}
            << QStringList{"Error: Unable to connect.  Please try again later."} << true;
        QTest::newRow("e-mail opens")
            << "Label1_4" << true << QList{mail} << QStringList() << false;
        QTest::newRow("e-mail fails")
            << "Label1_4" << false << QList{mail}
            << QStringList{"Error: Problem encountered opening your default email program."}
            << true;
        QTest::newRow("product name")
            << "Labe1_0" << true << QList<QUrl>() << QStringList() << true;
        QTest::newRow("version") << "Label1_1" << true << QList<QUrl>() << QStringList() << true;
        QTest::newRow("maker") << "Label1_2" << true << QList<QUrl>() << QStringList() << true;
    }
    void clicks()
    {
        QFETCH(QString, label);
        QFETCH(bool, opens);
        QFETCH(QList<QUrl>, opened);
        QFETCH(QStringList, messages);
        QFETCH(bool, staysOpen);
        AboutBox about;
        about.opener.succeeds = opens;
        QTest::mouseClick(about.control(label), Qt::LeftButton);
        QCOMPARE(about.opener.opened, opened);
        QCOMPARE(about.log.messages, messages);
        QCOMPARE(about.box.isVisible(), staysOpen);
    }

    // No default and no cancel button: Escape never closes the box, and
    // Enter closes it only while "&Ok" has the focus.
    void keys_data()
    {
        QTest::addColumn<bool>("focusOnOk");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("Escape") << false << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("Escape on Ok") << true << int(Qt::Key_Escape) << 0 << true;
        QTest::newRow("Enter where the box opens") << false << int(Qt::Key_Return) << 0 << true;
        QTest::newRow("Enter on Ok") << true << int(Qt::Key_Return) << 0 << false;
        QTest::newRow("Alt+O") << false << int(Qt::Key_O) << int(Qt::AltModifier) << false;
    }
    void keys()
    {
        QFETCH(bool, focusOnOk);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, staysOpen);
        AboutBox about;
        QVERIFY(QTest::qWaitForWindowActive(&about.box));
        if (focusOnOk)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget() == about.control<QPushButton>("Command1"), focusOnOk);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        // An access key shows the button pressed for a moment before it acts.
        if (staysOpen)
            QTest::qWait(300);
        QTRY_COMPARE(about.box.isVisible(), staysOpen);
    }

    // While the box is open, a click on the calendar does not reach it.
    void modalOverTheCalendar()
    {
        Calendar calendar(QDate(2026, 12, 1));
        MonthGrid *january = calendar.grid(1);
        QVERIFY(QTest::qWaitForWindowExposed(calendar.window));
        const QPoint firstDayCell = january->mapTo(
            calendar.window, QPoint(10, Twips::toPixels(january->rowHeight(0)) + 10));
        const auto clickFirstDayCell = [&] {
            QTest::mouseClick(calendar.window->windowHandle(), Qt::LeftButton, {}, firstDayCell);
        };
        QCOMPARE(QPoint(january->row(), january->col()), QPoint(6, 6));

        Opener opener;
        MessageLog log;
        bool checked = false;
        QTimer::singleShot(0, [&] {
            auto *about = qobject_cast<frmAbout *>(QApplication::activeModalWidget());
            QVERIFY(about);
            QVERIFY(QTest::qWaitForWindowExposed(about));
            clickFirstDayCell();
            checked = true;
            about->close();
        });
        frmAbout::showModal(calendar.owner, opener, log);
        QVERIFY(checked);
        QCOMPARE(QPoint(january->row(), january->col()), QPoint(6, 6));
        clickFirstDayCell();
        QCOMPARE(QPoint(january->row(), january->col()), QPoint(1, 0));
    }
};

QTEST_MAIN(TestAboutBox)
#include "tst_aboutbox.moc"
