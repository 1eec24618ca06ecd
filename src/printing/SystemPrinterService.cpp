#include "SystemPrinterService.h"

#include <QPageSize>
#include <QPrinterInfo>

namespace {
constexpr int TwipsPerPoint = 20;
}

int SystemPrinterService::pageWidth() const
{
    if (m_cachedWidth)
        return *m_cachedWidth;
    const QPrinterInfo printer = m_printerName.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                         : QPrinterInfo::printerInfo(m_printerName);
    int width = 0;
    if (!printer.isNull()) {
        const QSizeF paper = printer.defaultPageSize().size(QPageSize::Point);
        const double side = m_orientation == Landscape ? paper.height() : paper.width();
        width = qRound(side * TwipsPerPoint);
    }
    m_cachedWidth = width;
    return width;
}

void SystemPrinterService::setCurrentPrinter(const QString &name)
{
    m_printerName = name;
    m_cachedWidth.reset();
}

void SystemPrinterService::setOrientation(Orientation orientation)
{
    m_orientation = orientation;
    m_cachedWidth.reset();
}
