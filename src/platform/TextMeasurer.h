#pragma once

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
