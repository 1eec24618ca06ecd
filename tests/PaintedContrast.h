#pragma once

#include <QApplication>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

#include <cmath>
#include <memory>

// The contrast of text as it was painted, read from a grab of the widget:
// the commonest colour of an area is its background, the pixel furthest from
// it the text's colour. Text that was not painted at all reads as 1:1.
namespace PaintedContrast {

// WCAG 2.1's contrast ratio, from 1 to 21.
inline double ratio(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &color) {
        const auto channel = [](double c) {
            c /= 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(color.red()) + 0.7152 * channel(color.green()) +
               0.0722 * channel(color.blue());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Reading
{
    QColor background;
    QColor text;
    double contrast = 1;

    QString describe() const
    {
        return QStringLiteral("%1 on %2: %3:1")
            .arg(text.name(), background.name(), QString::number(contrast, 'f', 2));
    }
};

// area in widget's own coordinates.
inline Reading read(QWidget &widget, const QRect &area)
{
    const QImage image = widget.grab(area).toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    }
    Reading reading;
    int most = 0;
    for (auto count = counts.cbegin(); count != counts.cend(); ++count) {
        if (count.value() > most) {
            most = count.value();
            reading.background = QColor(count.key());
        }
    }
    reading.text = reading.background;
    for (auto count = counts.cbegin(); count != counts.cend(); ++count) {
        const double contrast = ratio(reading.background, QColor(count.key()));
        if (contrast > reading.contrast) {
            reading.contrast = contrast;
            reading.text = QColor(count.key());
        }
    }
    return reading;
}

// Fusion's own palette, as the program gets it on a desktop without a theme.
inline QPalette fusionLight()
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    return fusion->standardPalette();
}

// The dark palette that Qt applications commonly give the Fusion style.
inline QPalette fusionDark()
{
    const QColor window(53, 53, 53), base(42, 42, 42), text(Qt::white), disabled(127, 127, 127);
    QPalette dark(text, window, window.lighter(150), window.darker(200), window.darker(150), text,
                  Qt::white, base, window);
    dark.setColor(QPalette::AlternateBase, QColor(66, 66, 66));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    dark.setColor(QPalette::ToolTipBase, window);
    dark.setColor(QPalette::ToolTipText, text);
    dark.setColor(QPalette::PlaceholderText, disabled);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, disabled);
    return dark;
}

// Fusion with the named palette ("light" or "dark") for the whole program.
inline void useFusion(const QString &palette)
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(palette == QLatin1String("dark") ? fusionDark() : fusionLight());
}

} // namespace PaintedContrast
