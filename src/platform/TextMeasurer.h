#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

// Measures texts in twips. A text with line breaks is as wide as its widest
// line and as high as all its lines together; an empty text is one line high.
class TextMeasurer
{
public:
    virtual ~TextMeasurer() = default;
    virtual double width(const QString &text) const = 0;
    virtual double height(const QString &text) const = 0;
};

// Shaping a text costs far more than looking it up, and the column sizing
// measures every cell again after each edit, so widths are remembered for as
// long as the measurer (and so its font) lives.
class FontTextMeasurer : public TextMeasurer
{
public:
    explicit FontTextMeasurer(const QFont &font);
    // Forgets the widths measured in the old font.
    void setFont(const QFont &font);
    double width(const QString &text) const override;
    double height(const QString &text) const override;

private:
    double lineWidth(QStringView line) const;

    QFontMetricsF m_metrics;
    mutable QHash<QString, double> m_lineWidths;
};
