#include "HelpWindow.h"

#include "ProgramInfo.h"
#include "ReadableColor.h"

#include <QFile>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {

const QSize StartSize(640, 600);
// The pages' headings are in the colour of the About box's band.
const QColor HeadingColor(0x05, 0x53, 0x7c);

// Shows the pages with their own style sheet, keeping headings and links
// legible on the palette's background, a dark one too.
class HelpBrowser : public QTextBrowser
{
public:
    explicit HelpBrowser(QWidget *parent) : QTextBrowser(parent)
    {
        applyStyleSheet();
        connect(this, &QTextBrowser::sourceChanged, this, &HelpBrowser::keepLinksLegible);
    }

protected:
    void changeEvent(QEvent *event) override
    {
        QTextBrowser::changeEvent(event);
        if (event->type() == QEvent::PaletteChange && !source().isEmpty()) {
            applyStyleSheet();
            reload();
            keepLinksLegible();
        }
    }

private:
    // The pages link their style sheet, which rich text does not load
    // itself; the headings keep their colour where the palette allows.
    void applyStyleSheet()
    {
        QFile css(QStringLiteral(":/help/style.css"));
        if (!css.open(QIODevice::ReadOnly))
            return;
        const QColor heading = ReadableColor::on(palette().color(QPalette::Base), HeadingColor);
        document()->setDefaultStyleSheet(
            QString::fromUtf8(css.readAll()) +
            QStringLiteral("\nh1, h2 { color: %1; }\n").arg(heading.name()));
    }

    // Links take the program's link colour when a page is read, whatever
    // the page's style sheet says, and a dark palette may leave that colour
    // too dark for its background.
    void keepLinksLegible()
    {
        const QColor base = palette().color(QPalette::Base);
        QTextCursor cursor(document());
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
            for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
                const QTextFragment part = fragment.fragment();
                const QTextCharFormat format = part.charFormat();
                if (!format.isAnchor())
                    continue;
                const QColor legible = ReadableColor::on(base, format.foreground().color());
                if (legible == format.foreground().color())
                    continue;
                QTextCharFormat recoloured;
                recoloured.setForeground(legible);
                cursor.setPosition(part.position());
                cursor.setPosition(part.position() + part.length(), QTextCursor::KeepAnchor);
                cursor.mergeCharFormat(recoloured);
            }
        }
    }
};

} // namespace

const QUrl HelpWindow::Home(QStringLiteral("qrc:/help/index.html"));

HelpWindow *HelpWindow::open(QWidget &owner)
{
    HelpWindow *help = nullptr;
    // A closed window that waits for its deletion has lost this attribute.
    for (HelpWindow *child :
         owner.findChildren<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->testAttribute(Qt::WA_DeleteOnClose))
            help = child;
    }
    if (!help) {
        help = new HelpWindow(owner);
        help->setGeometry(QRect(owner.geometry().center() - help->rect().center(), help->size()));
    }
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

HelpWindow::HelpWindow(QWidget &owner) : QWidget(&owner, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(ProgramInfo::title() + QStringLiteral(" Help"));
    resize(StartSize);
    m_browser = new HelpBrowser(this);
    m_browser->setObjectName(QStringLiteral("HelpPages"));
    m_browser->setAccessibleName(QStringLiteral("Help pages"));
    m_browser->setSource(Home);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins({});
    layout->addWidget(m_browser);
    m_browser->setFocus();
}

void HelpWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
