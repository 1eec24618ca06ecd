#include "HelpWindow.h"

#include "ProgramInfo.h"
#include "ReadableColor.h"

#include <QKeyEvent>
#include <QTextBrowser>
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
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl &name) override
    {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::StyleSheetResource)
            return resource;
        const QColor base = palette().color(QPalette::Base);
        const QString legible = QStringLiteral("\nh1, h2 { color: %1; }\na { color: %2; }\n")
                                    .arg(ReadableColor::on(base, HeadingColor).name(),
                                         ReadableColor::on(base, palette().color(QPalette::Link))
                                             .name());
        return QVariant(QString::fromUtf8(resource.toByteArray()) + legible);
    }
};

} // namespace

const QUrl HelpWindow::Home(QStringLiteral("qrc:/help/index.html"));

HelpWindow *HelpWindow::open(QWidget &owner)
{
    HelpWindow *help = nullptr;
    // A closed window that waits for its deletion has lost this attribute.
    for (HelpWindow *child : owner.findChildren<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly)) {
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
