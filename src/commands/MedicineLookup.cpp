#include "MedicineLookup.h"

namespace MedicineLookup {

namespace {
const QByteArray SiteRoot = QByteArrayLiteral("https://www.drugs.com");
}

QUrl address(const QString &medicineName)
{
    const QByteArray segment = QUrl::toPercentEncoding(medicineName);
    return QUrl::fromEncoded(SiteRoot + "/cons/" + segment + "_Systemic.html", QUrl::StrictMode);
}

} // namespace MedicineLookup
