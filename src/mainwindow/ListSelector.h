#pragma once

#include <QComboBox>

// The list selector cboLoad: a drop-down list of the catalogue's names.
// Its placeholder, longer than the selector is wide, is shown in regular
// weight and cut with an ellipsis rather than mid-letter, and the wheel changes the list only while
// the selector has the keyboard focus, as on Windows: a wheel merely
// passing over it must not load another list.
class ListSelector : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
};
