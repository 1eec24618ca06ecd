#include "CalendarFixture.h"
#include "HelpCommand.h"
#include "ProgramInfo.h"
#include "Twips.h"
#include "frmAbout.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

namespace {

struct AboutBox
{
    AboutBox() : box(nullptr, opener, prompter) { box.show(); }
    RecordingAddressOpener opener;
    ScriptedPrompter prompter;
    frmAbout box;
};

} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void versionText()
    {
        AboutBox about;
        QCOMPARE(about.box.findChild<QLabel *>("Label1_1")->text(),
                 "Version " PILLORA_TEST_VERSION);
    }

    // No default and no cancel button: only "&Ok" and a link that opened
    // close the box. Keys go where the focus is when the box opens.
    void userActions_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QTestEventList>("events");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QList<QUrl>>("opened");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("staysOpen");
        QTestEventList click, escape, altO;
        click.addMouseClick(Qt::LeftButton);
        escape.addKeyClick(Qt::Key_Escape);
        altO.addKeyClick(Qt::Key_O, Qt::AltModifier);
        const QList<QUrl> site{ProgramInfo::webSite()};
        const QList<QUrl> mail{QUrl("mailto:" + ProgramInfo::supportMailAddress())};
        QTest::newRow("web site opens")
            << "Label1_3" << click << true << site << QStringList() << false;
        QTest::newRow("web site fails")
            << "Label1_3" << click << false << site
            << QStringList{"tell Error: Unable to connect.  Please try again later."} << true;
        QTest::newRow("e-mail fails")
            << "Label1_4" << click << false << mail
            << QStringList{"tell Error: Problem encountered opening your default email program."}
            << true;
        QTest::newRow("product name")
            << "Labe1_0" << click << true << QList<QUrl>() << QStringList() << true;
        QTest::newRow("Escape") << "Picture1" << escape << true << QList<QUrl>() << QStringList()
                                << true;
        QTest::newRow("Alt+O") << "Picture1" << altO << true << QList<QUrl>() << QStringList()
                               << false;
    }
    void userActions()
    {
        QFETCH(QString, target);
        QFETCH(QTestEventList, events);
        QFETCH(bool, opens);
        QFETCH(QList<QUrl>, opened);
        QFETCH(QStringList, messages);
        QFETCH(bool, staysOpen);
        AboutBox about;
        about.opener.succeeds = opens;
        QVERIFY(QTest::qWaitForWindowActive(&about.box));
        events.simulate(about.box.findChild<QWidget *>(target));
        // An access key shows the button pressed for a moment before it acts.
        QTest::qWait(300);
        QCOMPARE(about.opener.opened, opened);
        QCOMPARE(about.prompter.log, messages);
        QCOMPARE(about.box.isVisible(), staysOpen);
    }

    // While the box is open, a click on the calendar does not reach it.
    void modalOverTheCalendar()
    {
        Calendar calendar(Today);
        MonthGrid *january = calendar.grid(1);
        QVERIFY(QTest::qWaitForWindowExposed(calendar.window));
        const QPoint firstDay = january->mapTo(
            calendar.window, QPoint(10, Twips::toPixels(january->rowHeight(0)) + 10));
        const auto clickFirstDay = [&] {
            QTest::mouseClick(calendar.window->windowHandle(), Qt::LeftButton, {}, firstDay);
        };
        RecordingAddressOpener opener;
        ScriptedPrompter prompter;
        QTimer::singleShot(0, [&] {
            clickFirstDay();
            if (QWidget *about = QApplication::activeModalWidget())
                about->close();
        });
        frmAbout::showModal(calendar.owner, opener, prompter);
        QCOMPARE(QPoint(january->row(), january->col()), QPoint(6, 6));
        clickFirstDay();
        QCOMPARE(QPoint(january->row(), january->col()), QPoint(1, 0));
    }

    // The command has no way to show a message.
    void help_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QStringList>("opened");
        const QStringList both{"PILLORA.CHM", "help/index.html"};
        QTest::newRow("no CHM viewer: the HTML help")
            << both << false << true << QStringList{"help/index.html"};
        QTest::newRow("the viewer fails: the HTML help") << both << true << false << both;
        QTest::newRow("no help at all") << QStringList() << true << true << QStringList();
    }
    void help()
    {
        QFETCH(QStringList, files);
        QFETCH(bool, viewer);
        QFETCH(bool, opens);
        QFETCH(QStringList, opened);
        const QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir("help"));
        for (const QString &file : files)
            QVERIFY(QFile(folder.filePath(file)).open(QIODevice::WriteOnly));
        RecordingAddressOpener opener;
        opener.succeeds = opens;
        TestFileAssociations associations;
        associations.viewer = viewer;
        HelpCommand(opener, associations, {folder.path()}).run();
        QList<QUrl> expected;
        for (const QString &file : opened)
            expected << QUrl::fromLocalFile(folder.filePath(file));
        QCOMPARE(opener.opened, expected);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
