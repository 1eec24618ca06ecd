#pragma once

#include <QString>
#include <QUrl>

// The drug-information page of a medicine.
namespace MedicineLookup {

// The Name goes into the address as one path segment, percent-encoded, so
// "Vitamin D" arrives as typed and a "/", "?" or "#" cannot change the address.
QUrl address(const QString &medicineName);

} // namespace MedicineLookup
