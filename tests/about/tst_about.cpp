#include "Doubles.h"
#include "HelpCommand.h"
#include "HelpWindow.h"
#include "PaintedContrast.h"
#include "ProgramInfo.h"
#include "frmAbout.h"

#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace {

struct AboutBox
{
    AboutBox() : box(nullptr, opener, prompter) { box.show(); }
    RecordingAddressOpener opener;
    ScriptedPrompter prompter;
    frmAbout box;
};

// Keys for the focused control, or "click NAME" for a control of the window.
void act(QWidget &window, const QStringList &actions)
{
    for (const QString &action : actions) {
        if (action.startsWith("click ")) {
            QTest::mouseClick(window.findChild<QWidget *>(action.section(' ', 1)), Qt::LeftButton);
            continue;
        }
        const QKeyCombination key = QKeySequence(action)[0];
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
    }
}

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
    void userActions_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QList<QUrl>>("opened");
        QTest::addColumn<QString>("error"); // the opener fails, and this is told
        QTest::addColumn<bool>("staysOpen");
        const QList<QUrl> site{ProgramInfo::webSite()};
        const QList<QUrl> mail{QUrl("mailto:" + ProgramInfo::supportMailAddress())};
        const auto row = [](const char *name, const QStringList &actions) {
            return std::ref(QTest::newRow(name) << actions);
        };
        row("web site opens", {"click Label1_3"}) << site << QString() << false;
        row("web site fails", {"click Label1_3"})
            << site << "Unable to connect.  Please try again later." << true;
        row("e-mail fails", {"click Label1_4"})
            << mail << "Problem encountered opening your default email program." << true;
        row("Escape", {"Esc"}) << QList<QUrl>() << QString() << true;
        row("Enter on Ok", {"Return"}) << QList<QUrl>() << QString() << false;
        row("Tab, Enter: the web site", {"Tab", "Return"}) << site << QString() << false;
        row("Tab twice, Space: e-mail", {"Tab", "Tab", "Space"}) << mail << QString() << false;
    }
    void userActions()
    {
        QFETCH(QStringList, actions);
        QFETCH(QString, error);
        QFETCH(bool, staysOpen);
        AboutBox about;
        about.opener.succeeds = error.isEmpty();
        QVERIFY(QTest::qWaitForWindowActive(&about.box));
        // Nothing else of the program takes a click while the box is open.
        QCOMPARE(QApplication::activeModalWidget(), &about.box);
        act(about.box, actions);
        QCOMPARE(about.box.isVisible(), staysOpen);
        QTEST(about.opener.opened, "opened");
        QCOMPARE(about.prompter.log,
                 error.isEmpty() ? QStringList() : QStringList{"tell Error: " + error});
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
        QFETCH(bool, tried);
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
        QCOMPARE(opener.opened, tried ? QList{QUrl::fromLocalFile(chm)} : QList<QUrl>());
        auto *window = owner.findChild<HelpWindow *>();
        QTEST(window && window->isVisible(), "ownWindow");
        if (!window)
            return;
        QCOMPARE(window->browser()->documentTitle(), "Pillora: medication lists");
        // Its links work from the keyboard; Help again brings this window
        // back on the page it shows; Esc closes it.
        QVERIFY(QTest::qWaitForWindowActive(window));
        act(*window, {"Tab", "Tab", "Return"});
        HelpCommand(opener, associations, {folder.path()}).run(owner);
        QCOMPARE(owner.findChildren<HelpWindow *>(), QList{window});
        QCOMPARE(window->browser()->source(), QUrl("qrc:/help/buttons.html"));
        act(*window, {"Esc"});
        QVERIFY(!window->isVisible());
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

    // Every text of the box, and the help's headings and links, in the
    // light and the dark palette, as painted. Last: it leaves Fusion behind.
    void contrast_data()
    {
        QTest::addColumn<QString>("palette");
        QTest::addColumn<QString>("part");
        for (const char *palette : {"light", "dark"}) {
            for (const char *part : {"Labe1_0", "Label1_1", "Label1_2", "Label1_3", "Label1_4",
                                     "Command1", "Pillora: medication lists", "Buttons"})
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
        QWidget *painted = about.box.findChild<QWidget *>(part);
        QRect area;
        if (painted) {
            // A button's caption, not its frame.
            area = part == "Command1" ? painted->rect().adjusted(6, 6, -6, -6) : painted->rect();
        } else {
            QTextBrowser *browser = HelpWindow::open(about.box)->browser();
            QVERIFY(QTest::qWaitForWindowExposed(browser));
            QVERIFY(browser->find(part));
            QTextCursor found = browser->textCursor();
            browser->setTextCursor(QTextCursor(browser->document()));
            const QRect last = browser->cursorRect(found);
            found.setPosition(found.anchor());
            area = browser->cursorRect(found).united(last).adjusted(2, 1, -2, -1);
            painted = browser->viewport();
        }
        const PaintedContrast::Reading reading = PaintedContrast::read(*painted, area);
        QVERIFY2(reading.contrast >= 4.5, qPrintable(reading.describe()));
        // The headings keep the colour of the box's band where it is legible.
        if (palette == "light" && part.startsWith("Pillora"))
            QCOMPARE(reading.text, QColor(0x05, 0x53, 0x7c));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
