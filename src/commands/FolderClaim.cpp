#include "FolderClaim.h"

#include "InstanceLock.h"
#include "ListStore.h"
#include "ProgramInfo.h"
#include "Prompter.h"

#include <QLocale>

namespace FolderClaim {

bool claim(const ListStore &store, InstanceLock &lock, Prompter &prompter)
{
    const QString title = ProgramInfo::title();
    QString problem;
    if (!store.folder().EnsureDataFolder(&problem))
        prompter.warn(problem + QStringLiteral("\n\nLists cannot be saved."), title);
    switch (lock.claim()) {
    case InstanceLock::Claim::HeldHere:
        prompter.warn(QStringLiteral("%1 is already running with these medication lists. "
                                     "Please use the window that is open.")
                          .arg(title),
                      title);
        return false;
    case InstanceLock::Claim::HeldElsewhere: {
        const InstanceLock::Holder &holder = lock.holder();
        const QString since = QLocale().toString(holder.since.toLocalTime(), QLocale::ShortFormat);
        const QString question =
            QStringLiteral("%1 on %2 may be using these lists (since %3). Two copies can "
                           "overwrite each other's changes. Open them anyway?")
                .arg(title, holder.host, since);
        if (!prompter.askYesNo(question, title, Prompter::DefaultAnswer::No))
            return false;
        // Should the lock not be written, the check before every save still
        // guards the other copy's changes.
        lock.takeOver();
        break;
    }
    case InstanceLock::Claim::Claimed:
    case InstanceLock::Claim::Unavailable:
        break;
    }
    if (lock.isHeld())
        store.removeLeftoverSaves();
    return true;
}

} // namespace FolderClaim
