#include "ListSelector.h"

#include <QStylePainter>
#include <QWheelEvent>

void ListSelector::paintEvent(QPaintEvent *event)
{
    if (currentIndex() >= 0 || placeholderText().isEmpty()) {
        QComboBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    // A hint, not a list's name: in regular weight, which leaves room for
    // more of it.
    QFont hint = font();
    hint.setBold(false);
    painter.setFont(hint);
    option.currentText =
        QFontMetrics(hint).elidedText(placeholderText(), Qt::ElideRight, field.width() - 2);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

void ListSelector::wheelEvent(QWheelEvent *event)
{
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}
