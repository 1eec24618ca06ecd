#include "ListCommands.h"

#include "ListCommandsHost.h"
#include "ListHistory.h"
#include "MedicationList.h"
#include "ProgramInfo.h"
#include "Prompter.h"

#include <QDir>

namespace {

// Which of the entries holding the name at index it is: 0 for the first.
int ordinalAt(const QStringList &names, int index)
{
    if (index < 0 || index >= names.size())
        return 0;
    return int(names.mid(0, index).count(names.at(index)));
}

// The entry holding name at ordinal, or the last one holding it; -1 when
// none does.
int entryOf(const QStringList &names, const QString &name, int ordinal)
{
    int last = -1;
    int seen = 0;
    for (int i = 0; i < names.size(); ++i) {
        if (names.at(i) != name)
            continue;
        last = i;
        if (seen++ == ordinal)
            break;
    }
    return last;
}

} // namespace

class ListCommands::Running
{
public:
    Running(ListCommands &commands, ListCommandsHost &host) : m_commands(commands), m_host(host)
    {
        ++m_commands.m_running;
    }
    ~Running()
    {
        if (--m_commands.m_running == 0 && m_commands.m_followPending) {
            m_commands.m_followPending = false;
            m_commands.followCatalogue(m_host);
        }
    }
    Running(const Running &) = delete;
    Running &operator=(const Running &) = delete;

private:
    ListCommands &m_commands;
    ListCommandsHost &m_host;
};

ListCommands::ListCommands(MedicationList &list, const ListStore &store, Prompter &prompter,
                           ListHistory &history)
    : m_list(list), m_store(store), m_prompter(prompter), m_history(history)
{}

ListCommands::OfferOutcome ListCommands::OfferToSave(ListCommandsHost &host)
{
    if (m_list.CurrentListName().isEmpty() || !m_list.ChangesMade())
        return OfferOutcome::NotAsked;
    if (!m_prompter.askYesNo(QStringLiteral("Save current medications list?"), ProgramInfo::title(),
                             Prompter::DefaultAnswer::Yes))
        return OfferOutcome::Declined;
    switch (saveOpenList(host)) {
    case SaveOutcome::Saved:
        return OfferOutcome::Saved;
    case SaveOutcome::Cancelled:
        return OfferOutcome::Cancelled;
    case SaveOutcome::Failed:
        break;
    }
    return OfferOutcome::SaveFailed;
}

void ListCommands::NewList(ListCommandsHost &host)
{
    const Running running(*this, host);
    host.commitOpenEdit();
    const QString name = askNewName(host);
    if (name.isEmpty())
        return;
    if (!mayLeaveOpenList(host))
        return;

    // The catalogue takes the name first, so a catalogue that cannot be
    // written leaves the program as it was.
    const SaveResult added = m_store.create(name);
    if (!added) {
        m_prompter.warn(QStringLiteral("The new list could not be created.\n\n%1").arg(added.error),
                        ProgramInfo::title());
        return;
    }
    m_list.setCurrentListName(name);
    m_list.setFileIdentity(FileIdentity::none());
    m_history.clear();
    offerCatalogueWithNewEntry(host);
    host.showEmptyList();
}

QString ListCommands::askNewName(ListCommandsHost &host)
{
    QString typed;
    for (;;) {
        typed = m_prompter.askText(
            QStringLiteral("Enter name for this new medications list. (e.g. John Smith)"),
            QStringLiteral("Create a New Medications List"), typed);
        if (typed.isEmpty())
            return typed;
        // Names another computer added since the selector was filled count too.
        const QStringList known = host.listNames() + m_store.names().value_or(QStringList());
        const QString refusal = ListStore::refusalForNewName(typed, known);
        if (refusal.isEmpty())
            return typed;
        m_prompter.warn(refusal, ProgramInfo::title());
    }
}

void ListCommands::LoadList(ListCommandsHost &host)
{
    host.commitOpenEdit();
    if (!m_store.hasCatalogue()) {
        m_prompter.inform(QStringLiteral("No Med Lists found."), ProgramInfo::title());
        return;
    }
    const Running running(*this, host);
    // Kept by name: keeping both versions of the open list may add an entry.
    const QString name = host.chosenListName();
    const int ordinal = ordinalAt(host.listNames(), host.chosenListIndex());
    // The question about unsaved changes is about the list still open, so
    // the selector shows that one while it is asked.
    if (m_openEntry >= 0)
        host.chooseListIndex(m_openEntry);
    if (!mayLeaveOpenList(host)) {
        host.chooseListIndex(m_openEntry);
        return;
    }
    host.leaveMaximized();
    const int chosen = entryOf(host.listNames(), name, ordinal);
    if (chosen != host.chosenListIndex())
        host.chooseListIndex(chosen);
    if (name.isEmpty()) {
        m_list.setCurrentListName(QString());
        m_history.clear();
        m_openEntry = chosen;
        return;
    }

    using Outcome = ListStore::LoadResult::Outcome;
    const ListStore::LoadResult loaded = m_store.load(name, m_list);
    if (loaded.outcome == Outcome::Unreadable) {
        host.chooseListIndex(m_openEntry);
        m_prompter.warn(
            QStringLiteral("The list \"%1\" could not be read.\n\n%2").arg(name, loaded.problem),
            ProgramInfo::title());
        return;
    }
    m_list.setCurrentListName(name);
    m_history.clear();
    m_openEntry = chosen;
    const bool read = loaded.outcome == Outcome::Read;
    if (!read) {
        // A list without a readable file opens empty, never with the
        // medicines of the list shown before under its name.
        host.ClearList();
    }
    host.showLoadedList(read ? &loaded.read : nullptr);
    reportLoad(name, loaded);
}

void ListCommands::reportLoad(const QString &name, const ListStore::LoadResult &loaded)
{
    using Outcome = ListStore::LoadResult::Outcome;
    switch (loaded.outcome) {
    case Outcome::NameRefused:
        m_prompter.warn(QStringLiteral("The list \"%1\" cannot have a file, so it is shown empty "
                                       "and cannot be saved.\n\n%2")
                            .arg(name, loaded.problem),
                        ProgramInfo::title());
        break;
    case Outcome::NoFile:
        m_prompter.inform(
            QStringLiteral("The file of the list \"%1\" is missing, so the list is shown empty. "
                           "A list that was never saved has no file yet.\n\n%2")
                .arg(name, QDir::toNativeSeparators(m_store.folder().listFilePath(name).value())),
            ProgramInfo::title());
        break;
    case Outcome::NotAListFile:
        m_prompter.warn(QStringLiteral("'%1' is not a list file and cannot be opened.").arg(name),
                        ProgramInfo::title());
        break;
    case Outcome::Read:
        if (!loaded.read.complete)
            m_prompter.warn(QStringLiteral("The list \"%1\" could not be read completely and is "
                                           "shown as far as it could be read.\n\n%2")
                                .arg(name, loaded.read.problem),
                            ProgramInfo::title());
        break;
    case Outcome::Unreadable:
        break;
    }
}

bool ListCommands::SaveList(ListCommandsHost &host)
{
    const Running running(*this, host);
    return saveOpenList(host) == SaveOutcome::Saved;
}

ListCommands::SaveOutcome ListCommands::saveOpenList(ListCommandsHost &host)
{
    host.commitOpenEdit();
    const QString name = m_list.CurrentListName();
    if (name.isEmpty())
        return SaveOutcome::Failed;
    host.storeWindowGeometry();
    if (const QString refusal = m_store.refusalToSave(m_list); !refusal.isEmpty()) {
        reportSaveFailure(refusal);
        return SaveOutcome::Failed;
    }
    if (m_store.changedOnDisk(m_list)) {
        const int answer = m_prompter.askOrCancel(
            QStringLiteral("'%1' was changed by another program since you opened it. Replace it "
                           "with your version?")
                .arg(name),
            ProgramInfo::title(), {QStringLiteral("Keep both"), QStringLiteral("Replace")});
        if (answer == 0)
            return keepBoth(host);
        if (answer != 1)
            return SaveOutcome::Cancelled;
    }
    const SaveResult saved = m_store.save(m_list);
    if (!saved) {
        reportSaveFailure(saved.error);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

ListCommands::SaveOutcome ListCommands::keepBoth(ListCommandsHost &host)
{
    // The other program's version keeps the name; this one becomes a list
    // of its own beside it, and stays open.
    const QString copy = m_store.nameForCopy(m_list.CurrentListName());
    if (copy.isEmpty()) {
        reportSaveFailure(QStringLiteral("No free name for a second list was found."));
        return SaveOutcome::Failed;
    }
    if (const SaveResult added = m_store.create(copy); !added) {
        reportSaveFailure(added.error);
        return SaveOutcome::Failed;
    }
    m_list.setCurrentListName(copy);
    m_list.setFileIdentity(FileIdentity::none());
    offerCatalogueWithNewEntry(host);
    const SaveResult saved = m_store.save(m_list);
    if (!saved) {
        reportSaveFailure(saved.error);
        return SaveOutcome::Failed;
    }
    return SaveOutcome::Saved;
}

void ListCommands::DeleteList(ListCommandsHost &host)
{
    const Running running(*this, host);
    host.commitOpenEdit();
    const QString name = m_list.CurrentListName();
    if (!m_prompter.askYesNo(QStringLiteral("Delete %1 med file?").arg(name), ProgramInfo::title(),
                             Prompter::DefaultAnswer::No))
        return;
    // A name may stand twice, and only the chosen entry goes.
    QStringList shown = host.listNames();
    const int chosen = host.chosenListIndex();
    const SaveResult removed = m_store.remove(name, ordinalAt(shown, chosen));
    if (!removed) {
        m_prompter.warn(
            QStringLiteral("The list \"%1\" could not be deleted.\n\n%2").arg(name, removed.error),
            ProgramInfo::title());
        return;
    }
    m_list.setCurrentListName(QString());
    m_list.setFileIdentity(FileIdentity::none());
    m_history.clear();
    if (chosen >= 0 && chosen < shown.size())
        shown.removeAt(chosen);
    offerNames(host, m_store.names().value_or(shown), 0);
    host.showEmptyList();
}

bool ListCommands::mayLeaveOpenList(ListCommandsHost &host)
{
    const OfferOutcome outcome = OfferToSave(host);
    return outcome != OfferOutcome::SaveFailed && outcome != OfferOutcome::Cancelled;
}

bool ListCommands::mayClose(ListCommandsHost &host)
{
    const Running running(*this, host);
    host.commitOpenEdit();
    switch (OfferToSave(host)) {
    case OfferOutcome::Cancelled:
        return false;
    case OfferOutcome::SaveFailed:
        return m_prompter.askYesNo(QStringLiteral("The list was not saved. Close %1 anyway and "
                                                  "lose the changes?")
                                       .arg(ProgramInfo::title()),
                                   ProgramInfo::title(), Prompter::DefaultAnswer::Yes);
    default:
        return true;
    }
}

void ListCommands::followCatalogue(ListCommandsHost &host)
{
    if (m_running > 0) {
        m_followPending = true;
        return;
    }
    QString error;
    const std::optional<QStringList> names = m_store.names(&error);
    if (!names) {
        if (!m_catalogueUnreadable)
            m_prompter.warn(
                QStringLiteral("The catalogue of lists, %1, cannot be read, so its lists cannot "
                               "be chosen. It is left as it is until it can be read.\n\n%2")
                    .arg(QDir::toNativeSeparators(m_store.folder().cataloguePath()), error),
                ProgramInfo::title());
        m_catalogueUnreadable = true;
        return;
    }
    m_catalogueUnreadable = false;
    const QStringList shown = host.listNames();
    const bool openShown = m_openEntry >= 0 && m_openEntry < shown.size() &&
                           shown.at(m_openEntry) == m_list.CurrentListName();
    offerNames(host, *names, openShown ? ordinalAt(shown, m_openEntry) : 0);
}

void ListCommands::offerNames(ListCommandsHost &host, QStringList names, int openOrdinal)
{
    const QString open = m_list.CurrentListName();
    if (!open.isEmpty() && !names.contains(open))
        names.append(open);
    const int chosen = open.isEmpty() ? -1 : entryOf(names, open, openOrdinal);
    if (names != host.listNames())
        host.setListNames(names, chosen);
    else if (chosen != host.chosenListIndex())
        host.chooseListIndex(chosen);
    m_openEntry = chosen;
}

void ListCommands::offerCatalogueWithNewEntry(ListCommandsHost &host)
{
    const QString open = m_list.CurrentListName();
    const QStringList names = m_store.names().value_or(host.listNames() + QStringList{open});
    offerNames(host, names, int(names.count(open)) - 1);
}

void ListCommands::reportSaveFailure(const QString &reason)
{
    m_prompter.warn(QStringLiteral("The list \"%1\" could not be saved.\n\n%2")
                        .arg(m_list.CurrentListName(), reason),
                    ProgramInfo::title());
}
