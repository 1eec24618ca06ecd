#pragma once

#include "DueRefills.h"

// The words of the notification that tells of due refills.
namespace DueNotification {

// "3 refills due this week", "1 refill due this week".
QString summary(qsizetype count);

// One line for each refill, in the order given (by date, so overdue ones
// come first): "Mum: Lisinopril, Wednesday, 9 December", or "Mum:
// Lisinopril, overdue since Monday, 30 November". A server that reads the
// body as markup gets the texts escaped, so a list called "Tom & Jerry"
// stays as written.
QString body(const QList<DueRefill> &refills, const QDate &today, const QLocale &locale,
             bool markup);

// The date in the locale's long form, without the year when it is this
// year's.
QString dayText(const QDate &date, const QDate &today, const QLocale &locale);

} // namespace DueNotification
