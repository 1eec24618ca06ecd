#include "LinkLabel.h"

#include "ReadableColor.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace {

class LinkLabelAccessible : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(LinkLabel *link) : QAccessibleWidget(link, QAccessible::Link) {}

    LinkLabel *link() const { return static_cast<LinkLabel *>(widget()); }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Name && link()->accessibleName().isEmpty())
            return link()->text();
        return QAccessibleWidget::text(type);
    }
    QStringList actionNames() const override
    {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &action) override
    {
        if (action == pressAction())
            link()->activate();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface *linkLabelFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("LinkLabel") && object && object->isWidgetType())
        return new LinkLabelAccessible(static_cast<LinkLabel *>(object));
    return nullptr;
}

} // namespace

LinkLabel::LinkLabel(const QString &text, const QColor &color, QWidget *parent)
    : QLabel(text, parent), m_color(color)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(linkLabelFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QColor LinkLabel::shownColor() const
{
    return ReadableColor::on(palette().color(backgroundRole()), m_color);
}

void LinkLabel::activate()
{
    emit activated();
}

void LinkLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QFont underlined = font();
    underlined.setUnderline(true);
    painter.setFont(underlined);
    painter.setPen(shownColor());
    painter.drawText(contentsRect(), int(alignment()), text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = fontMetrics()
                         .boundingRect(contentsRect(), int(alignment()), text())
                         .adjusted(-2, 0, 2, 1)
                         .intersected(rect());
        focus.backgroundColor = palette().color(backgroundRole());
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        activate();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        activate();
    QLabel::mouseReleaseEvent(event);
}
