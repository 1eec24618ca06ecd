#pragma once

#include <QColor>
#include <QLabel>

// A text that opens something, as a link on a web page does: underlined in
// its own colour, with a pointing hand, reached with Tab and opened with
// Enter or Space as well as by a click. Screen readers know it as a link.
class LinkLabel : public QLabel
{
    Q_OBJECT

public:
    LinkLabel(const QString &text, const QColor &color, QWidget *parent);

    // The colour it is drawn in: its own where that is legible on the
    // background, the nearest legible shade of it where not.
    QColor shownColor() const;
    void activate();

signals:
    void activated();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QColor m_color;
};
