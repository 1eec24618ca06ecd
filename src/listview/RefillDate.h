#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// Reads a Next Refill Date as a person types it, by the desktop's
// conventions: the locale's short and long formats, numeric dates in the
// locale's day and month order with two- or four-digit years (or none, for
// this year), ISO 8601, and month names or their abbreviations.
namespace RefillDate {

std::optional<QDate> read(const QString &text, const QLocale &locale, const QDate &today);

// Due when fewer than 8 days away, today or past. A text that is not a date
// is never due.
bool isDue(const QString &text, const QLocale &locale, const QDate &today);

// For a text that is not empty and cannot be read as a date: what to tell
// the user, naming the forms that can be read. Empty for a readable date.
QString unreadableHint(const QString &text, const QLocale &locale, const QDate &today);

} // namespace RefillDate
