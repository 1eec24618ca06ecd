#include "DesktopAddressOpener.h"

#include <QDesktopServices>

bool DesktopAddressOpener::open(const QUrl &address)
{
    return QDesktopServices::openUrl(address);
}
