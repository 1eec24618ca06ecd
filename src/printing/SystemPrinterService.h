#pragma once

#include "PrinterService.h"

#include <optional>

// The printers the system offers (CUPS on Linux).
class SystemPrinterService : public PrinterService
{
public:
    int pageWidth() const override;

    void setCurrentPrinter(const QString &name);
    void setOrientation(Orientation orientation);

private:
    QString m_printerName;
    Orientation m_orientation = Portrait;
    // Asking the print server is slow next to the rest of column sizing, and
    // the answer changes only when the printer or orientation does.
    mutable std::optional<int> m_cachedWidth;
};
