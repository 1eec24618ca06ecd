#include "CalendarFixture.h"
#include "HelpCommand.h"
#include "HelpWindow.h"
#include "PaintedContrast.h"
#include "ProgramInfo.h"
#include "Twips.h"
#include "frmAbout.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
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
    // close the box. The focus starts on "&Ok"; Tab goes on to the links.
    // Each action is "click NAME" or a key for the focused control.
    void userActions_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QList<QUrl>>("opened");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("staysOpen");
        const QList<QUrl> site{ProgramInfo::webSite()};
        const QList<QUrl> mail{QUrl("mailto:" + ProgramInfo::supportMailAddress())};
        const QList<QUrl> none;
        const QStringList siteFailed{"tell Error: Unable to connect.  Please try again later."};
        const QStringList mailFailed{
            "tell Error: Problem encountered opening your default email program."};
        const auto row = [](const char *name, const QStringList &actions) {
            return std::ref(QTest::newRow(name) << actions);
        };
        row("web site opens", {"click Label1_3"}) << true << site << QStringList() << false;
        row("web site fails", {"click Label1_3"}) << false << site << siteFailed << true;
        row("e-mail fails", {"click Label1_4"}) << false << mail << mailFailed << true;
        row("product name", {"click Labe1_0"}) << true << none << QStringList() << true;
        row("Escape", {"Esc"}) << true << none << QStringList() << true;
        row("Alt+O", {"Alt+O"}) << true << none << QStringList() << false;
        row("Enter on Ok", {"Return"}) << true << none << QStringList() << false;
        row("Tab, Enter: the web site", {"Tab", "Return"})
            << true << site << QStringList() << false;
        row("Tab twice, Space: e-mail", {"Tab", "Tab", "Space"})
            << true << mail << QStringList() << false;
        row("a link that fails keeps the focus", {"Tab", "Tab", "Return", "Shift+Tab", "Space"})
            << false << mail + site << mailFailed + siteFailed << true;
        row("Tab three times: back on Ok", {"Tab", "Tab", "Tab", "Return"})
            << true << none << QStringList() << false;
    }
    void userActions()
    {
        QFETCH(QStringList, actions);
        QFETCH(bool, opens);
        QFETCH(QList<QUrl>, opened);
        QFETCH(QStringList, messages);
        QFETCH(bool, staysOpen);
        AboutBox about;
        about.opener.succeeds = opens;
        QVERIFY(QTest::qWaitForWindowActive(&about.box));
        for (const QString &action : actions) {
            if (action.startsWith("click ")) {
                QTest::mouseClick(about.box.findChild<QWidget *>(action.section(' ', 1)),
                                  Qt::LeftButton);
                continue;
            }
            const QKeyCombination key = QKeySequence(action)[0];
            QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        }
        // An access key shows the button pressed for a moment before it acts.
        QTRY_COMPARE(about.box.isVisible(), staysOpen);
        QCOMPARE(about.opener.opened, opened);
        QCOMPARE(about.prompter.log, messages);
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
        const QPoint before(january->row(), january->col());
        frmAbout::showModal(calendar.owner, opener, prompter);
        QCOMPARE(QPoint(january->row(), january->col()), before);
        clickFirstDay();
        QCOMPARE(QPoint(january->row(), january->col()), QPoint(1, 0));
    }

    // The compiled help where a viewer opens it; otherwise, and silently,
    // the built-in pages in the program's own window.
    void help_data()
    {
        QTest::addColumn<bool>("compiled");
        QTest::addColumn<bool>("viewer");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("tried");
        QTest::addColumn<bool>("ownWindow");
        QTest::newRow("a CHM viewer") << true << true << true << true << false;
        QTest::newRow("no CHM viewer") << true << false << true << false << true;
        QTest::newRow("the viewer fails to start") << true << true << false << true << true;
        QTest::newRow("no PILLORA.CHM beside the program")
            << false << true << true << false << true;
    }
    void help()
    {
        QFETCH(bool, compiled);
        QFETCH(bool, viewer);
        QFETCH(bool, opens);
        const QTemporaryDir folder;
        const QString chm = folder.filePath("PILLORA.CHM");
        if (compiled)
            QVERIFY(QFile(chm).open(QIODevice::WriteOnly));
        RecordingAddressOpener opener;
        opener.succeeds = opens;
        TestFileAssociations associations;
        associations.viewer = viewer;
        QWidget owner;
        owner.show();
        HelpCommand(opener, associations, {folder.path()}).run(owner);
        QFETCH(bool, tried);
        QCOMPARE(opener.opened, tried ? QList{QUrl::fromLocalFile(chm)} : QList<QUrl>());
        auto *window = owner.findChild<HelpWindow *>();
        QFETCH(bool, ownWindow);
        QCOMPARE(window && window->isVisible(), ownWindow);
        if (window) {
            QCOMPARE(window->browser()->source(), HelpWindow::Home);
            QCOMPARE(window->browser()->documentTitle(), "Pillora: medication lists");
        }
        QVERIFY(opener.opened.size() <= 1);
    }

    // Help again while its window is open brings that window to the front,
    // on the page it shows.
    void helpTwice()
    {
        QWidget owner;
        owner.show();
        RecordingAddressOpener opener;
        TestFileAssociations associations;
        const HelpCommand help(opener, associations, {});
        help.run(owner);
        HelpWindow *window = owner.findChild<HelpWindow *>();
        window->browser()->setSource(QUrl("qrc:/help/files.html"));
        help.run(owner);
        QCOMPARE(owner.findChildren<HelpWindow *>(), QList{window});
        QCOMPARE(window->browser()->source(), QUrl("qrc:/help/files.html"));
    }

    // Every page and style sheet of help/ is built in, and every link of
    // every page leads to one of them.
    void builtInPages()
    {
        const QDir source(PILLORA_TEST_HELP_SOURCE);
        const QStringList files = source.entryList({"*.html", "*.css"}, QDir::Files, QDir::Name);
        QVERIFY(files.contains("index.html"));
        QCOMPARE(QDir(":/help").entryList(QDir::Files, QDir::Name), files);
        static const QRegularExpression link("href=\"([^\"]*)\"");
        for (const QString &page : source.entryList({"*.html"}, QDir::Files)) {
            QFile built(":/help/" + page);
            QVERIFY(built.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(built.readAll());
            for (const QRegularExpressionMatch &match : link.globalMatch(html)) {
                const QString target = match.captured(1).section(u'#', 0, 0);
                QVERIFY2(QFile::exists(":/help/" + target), qPrintable(page + ": " + target));
            }
        }
    }

    // The help window from the keyboard: Tab moves to a link, Enter
    // follows it, Alt+Left goes back, Esc closes the window.
    void helpWindowKeys_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("opens on the first page") << QStringList() << "index.html";
        QTest::newRow("the second link") << QStringList{"Tab", "Tab", "Return"} << "buttons.html";
        QTest::newRow("and back") << QStringList{"Tab", "Tab", "Return", "Alt+Left"}
                                  << "index.html";
        QTest::newRow("Esc closes") << QStringList{"Esc"} << "closed";
    }
    void helpWindowKeys()
    {
        QFETCH(QStringList, keys);
        QWidget owner;
        owner.show();
        QPointer<HelpWindow> window = HelpWindow::open(owner);
        QVERIFY(QTest::qWaitForWindowActive(window));
        for (const QString &key : keys) {
            const QKeyCombination combination = QKeySequence(key)[0];
            QTest::keyClick(QApplication::focusWidget(), combination.key(),
                            combination.keyboardModifiers());
        }
        const QString shown = window && window->isVisible() ? window->browser()->source().fileName()
                                                            : QStringLiteral("closed");
        QTEST(shown, "shown");
    }

    // Every text of the box in the light and the dark palette, as painted.
    void contrast_data()
    {
        QTest::addColumn<QString>("palette");
        QTest::addColumn<QString>("part");
        for (const char *palette : {"light", "dark"}) {
            for (const char *part :
                 {"Labe1_0", "Label1_1", "Label1_2", "Label1_3", "Label1_4", "Command1"})
                QTest::addRow("%s: %s", palette, part) << palette << part;
        }
    }
    void contrast()
    {
        QFETCH(QString, palette);
        QFETCH(QString, part);
        PaintedContrast::useFusion(palette);
        AboutBox about;
        QVERIFY(QTest::qWaitForWindowExposed(&about.box));
        QWidget *control = about.box.findChild<QWidget *>(part);
        // A button's caption, not its frame.
        const QRect area =
            part == "Command1" ? control->rect().adjusted(6, 6, -6, -6) : control->rect();
        const PaintedContrast::Reading reading = PaintedContrast::read(*control, area);
        QVERIFY2(reading.contrast >= 4.5, qPrintable(reading.describe()));
    }

    // The help's headings, links and text in the pages' own colours where
    // they are legible, in others where not.
    void helpContrast_data()
    {
        QTest::addColumn<QString>("palette");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("painted");
        const QColor any;
        QTest::newRow("light: a heading")
            << "light"
            << "Pillora: medication lists" << QColor(0x05, 0x53, 0x7c);
        QTest::newRow("light: a link") << "light"
                                       << "Buttons" << any;
        QTest::newRow("dark: a heading") << "dark"
                                         << "Pillora: medication lists" << any;
        QTest::newRow("dark: a link") << "dark"
                                      << "Buttons" << any;
        QTest::newRow("dark: text") << "dark"
                                    << "Pillora keeps medication lists." << any;
    }
    void helpContrast()
    {
        QFETCH(QString, palette);
        QFETCH(QString, text);
        PaintedContrast::useFusion(palette);
        QWidget owner;
        owner.show();
        HelpWindow *window = HelpWindow::open(owner);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTextBrowser *browser = window->browser();
        QVERIFY(browser->find(text));
        QTextCursor found = browser->textCursor();
        browser->setTextCursor(QTextCursor(browser->document()));
        const int end = found.position();
        found.setPosition(found.anchor());
        const QRect first = browser->cursorRect(found);
        found.setPosition(end);
        const QRect area = browser->cursorRect(found).united(first);
        const PaintedContrast::Reading reading =
            PaintedContrast::read(*browser->viewport(), area.adjusted(2, 1, -2, -1));
        QVERIFY2(reading.contrast >= 4.5, qPrintable(reading.describe()));
        QFETCH(QColor, painted);
        if (painted.isValid())
            QCOMPARE(reading.text, painted);
    }

    void initTestCase() { m_startPalette = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(m_startPalette); }

private:
    QPalette m_startPalette;
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
