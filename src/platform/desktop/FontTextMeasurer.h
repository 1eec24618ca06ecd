#pragma once

#include "ListTextMeasurer.h"

#include <QFont>
#include <QFontMetricsF>

// Measures in a font the program keeps in step with what it shows: the main
// window's measuring font, whose size and boldness follow the list's. Texts
// are measured at the font's true size, as paper shows them, not at the
// size a screen rounds it to.
class FontTextMeasurer : public ListTextMeasurer
{
public:
    explicit FontTextMeasurer(const QFont &font);

    QFont font() const { return m_font; }
    void setFont(const QFont &font);
    void setPointSize(double points) override;
    void setBold(bool bold) override;

    double width(const QString &text) const override;
    double height(const QString &text) const override;

private:
    QFont m_font;
    QFontMetricsF m_metrics;
};
