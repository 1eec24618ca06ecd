#pragma once

#include "DueNotifier.h"
#include "DueRefills.h"

class ProgramLauncher;
class QTextStream;

// pillora --notify-due: one notification of the refills due this week, or
// none when nothing is due.
namespace NotifyDueCommand {

// Returns once the notification is done with (see DueNotifier), with the
// exit code: 1 when the data folder or the catalogue could not be read, or
// when no notification server took the notification. Problems go to err.
int run(const DueRefills::Result &due, const QDate &today, const QLocale &locale,
        const QDBusConnection &bus, ProgramLauncher &launcher, QTextStream &err,
        std::chrono::milliseconds wait = DueNotifier::DefaultWait);

} // namespace NotifyDueCommand
