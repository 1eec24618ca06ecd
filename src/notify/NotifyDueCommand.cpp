#include "NotifyDueCommand.h"

#include "DueCommand.h"
#include "DueNotification.h"

#include <QEventLoop>
#include <QTextStream>

namespace NotifyDueCommand {

int run(const DueRefills::Result &due, const QDate &today, const QLocale &locale,
        const QDBusConnection &bus, ProgramLauncher &launcher, QTextStream &err,
        std::chrono::milliseconds wait)
{
    if (!DueCommand::reportProblems(due, err))
        return 1;
    if (due.refills.isEmpty())
        return 0;

    DueNotifier notifier(bus, launcher, wait);
    QEventLoop loop;
    int exitCode = 0;
    bool done = false;
    QObject::connect(&notifier, &DueNotifier::finished, &loop,
                     [&](int code, const QString &problem) {
                         exitCode = code;
                         done = true;
                         if (!problem.isEmpty())
                             err << "pillora: " << problem << '\n';
                         loop.quit();
                     });
    notifier.send({DueNotification::summary(due.refills.size()),
                   DueNotification::body(due.refills, today, locale, false),
                   DueNotification::body(due.refills, today, locale, true)});
    // Without a bus the notifier is done before the loop could start.
    if (!done)
        loop.exec();
    err.flush();
    return exitCode;
}

} // namespace NotifyDueCommand
