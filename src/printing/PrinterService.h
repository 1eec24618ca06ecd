#pragma once

#include <QString>

// What the program asks of the printing system. The current printer is the
// system's default until one is chosen.
class PrinterService
{
public:
    enum Orientation { Portrait = 1, Landscape = 2 };

    virtual ~PrinterService() = default;

    // The paper width in twips for the current printer and orientation;
    // 0 when there is no printer.
    virtual int pageWidth() const = 0;
};
