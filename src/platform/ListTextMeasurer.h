#pragma once

#include "TextMeasurer.h"

// A measurer whose font the main window keeps at the size and boldness the
// list is shown in, so that printing measures what the grid shows.
class ListTextMeasurer : public TextMeasurer
{
public:
    virtual void setPointSize(double points) = 0;
    virtual void setBold(bool bold) = 0;
};
