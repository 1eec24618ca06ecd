#include "DueRefills.h"

#include "DataFolder.h"
#include "ListStore.h"
#include "MedicationList.h"
#include "RefillDate.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <tuple>

namespace {

void collectFromList(const MedicationList &list, const QString &name, int listIndex,
                     const QDate &today, const QLocale &locale, int withinDays,
                     QList<DueRefill> &refills)
{
    for (int row = MedicationList::FirstDataRow; row <= MedicationList::LastDataRow; ++row) {
        const QString written = list.cell(row, MedicationList::RefillDateColumn);
        const std::optional<QDate> date = RefillDate::read(written, locale, today);
        if (date && today.daysTo(*date) <= withinDays)
            refills.append(
                {*date, name, listIndex, row, list.cell(row, MedicationList::NameColumn), written});
    }
}

} // namespace

DueRefills::Result DueRefills::collect(const DataFolder &folder, const QDate &today,
                                       const QLocale &locale, int withinDays)
{
    Result result;
    const QFileInfo folderInfo(folder.path());
    const QString shownFolder = QDir::toNativeSeparators(folder.path());
    // A program that was never started has no folder yet, and no lists.
    if (!folderInfo.exists())
        return result;
    if (!folderInfo.isDir() || !folderInfo.isReadable() || !folderInfo.isExecutable()) {
        result.ok = false;
        result.problem =
            folderInfo.isDir()
                ? QStringLiteral("The data folder %1 cannot be read.").arg(shownFolder)
                : QStringLiteral("%1 should be the data folder, but it is not a folder.")
                      .arg(shownFolder);
        return result;
    }
    QString catalogueProblem;
    const std::optional<QStringList> catalogue = folder.catalogue().read(&catalogueProblem);
    if (!catalogue) {
        result.ok = false;
        result.problem =
            QStringLiteral("The catalogue %1 cannot be read: %2")
                .arg(QDir::toNativeSeparators(folder.cataloguePath()), catalogueProblem);
        return result;
    }

    const QStringList &names = *catalogue;
    const ListStore store(folder);
    QSet<QString> seen;
    for (int index = 0; index < names.size(); ++index) {
        const QString &name = names.at(index);
        // A name that stands twice names one file; its refills count once.
        if (seen.contains(name))
            continue;
        seen.insert(name);
        MedicationList list;
        const ListStore::LoadResult loaded = store.load(name, list);
        using Outcome = ListStore::LoadResult::Outcome;
        // A list that was never saved has no file, and nothing due.
        if (loaded.outcome == Outcome::NoFile)
            continue;
        if (loaded.outcome != Outcome::Read) {
            const QString why = loaded.outcome == Outcome::NotAListFile
                                    ? QStringLiteral("its file is not a list file.")
                                    : loaded.problem;
            result.listProblems
                << QStringLiteral("The list \"%1\" cannot be read: %2").arg(name, why);
            continue;
        }
        if (!loaded.read.complete)
            result.listProblems << QStringLiteral("The list \"%1\" was read only in part: %2")
                                       .arg(name, loaded.read.problem);
        collectFromList(list, name, index, today, locale, withinDays, result.refills);
    }
    std::stable_sort(
        result.refills.begin(), result.refills.end(), [](const DueRefill &a, const DueRefill &b) {
            return std::tie(a.date, a.listIndex, a.row) < std::tie(b.date, b.listIndex, b.row);
        });
    return result;
}
