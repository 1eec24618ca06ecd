#include "ListCommands.h"

#include "ListCommandsHost.h"
#include "MedicationList.h"
#include "ProgramInfo.h"
#include "Prompter.h"

ListCommands::ListCommands(MedicationList &list, const ListStore &store, Prompter &prompter)
    : m_list(list), m_store(store), m_prompter(prompter)
{}

ListCommands::OfferOutcome ListCommands::OfferToSave(ListCommandsHost &host)
{
    if (m_list.CurrentListName().isEmpty() || !m_list.ChangesMade())
        return OfferOutcome::NotAsked;
    if (!m_prompter.askYesNo(QStringLiteral("Save current medications list?"),
                             ProgramInfo::title()))
        return OfferOutcome::Declined;
    return SaveList(host) ? OfferOutcome::Saved : OfferOutcome::SaveFailed;
}

void ListCommands::NewList(ListCommandsHost &host)
{
    host.commitOpenEdit();
    const QString name = m_prompter.askText(
        QStringLiteral("Enter name for this new medications list. (e.g. John Smith)"),
        QStringLiteral("Create a New Medications List"));
    if (name.isEmpty())
        return;
    const QString refusal = ListStore::refusalForNewName(name, host.listNames());
    if (!refusal.isEmpty()) {
        m_prompter.warn(refusal, ProgramInfo::title());
        return;
    }
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
    host.addListName(name);
    m_openEntry = int(host.listNames().size()) - 1;
    host.chooseListIndex(m_openEntry);
    host.showEmptyList();
}

void ListCommands::LoadList(ListCommandsHost &host)
{
    host.commitOpenEdit();
    if (!m_store.hasCatalogue()) {
        m_prompter.inform(QStringLiteral("No Med Lists found."), ProgramInfo::title());
        return;
    }
    if (!mayLeaveOpenList(host)) {
        host.chooseListIndex(m_openEntry);
        return;
    }
    host.leaveMaximized();
    const int chosen = host.chosenListIndex();
    const QString name = host.chosenListName();
    if (name.isEmpty()) {
        m_list.setCurrentListName(QString());
        m_openEntry = chosen;
        return;
    }

    const ListStore::LoadResult loaded = m_store.load(name, m_list);
    if (loaded.found && !loaded.ok()) {
        host.chooseListIndex(m_openEntry);
        m_prompter.warn(QStringLiteral("The list \"%1\" could not be read.\n\n%2")
                            .arg(name, loaded.read.problem),
                        ProgramInfo::title());
        return;
    }
    m_list.setCurrentListName(name);
    m_openEntry = chosen;
    if (!loaded.found) {
        // A list that was never saved opens empty, never with the
        // medicines of the list shown before under its name.
        host.ClearList();
    }
    host.showLoadedList(loaded.found ? &loaded.read : nullptr);
    if (loaded.found && !loaded.read.complete)
        m_prompter.warn(QStringLiteral("The list \"%1\" could not be read completely and is shown "
                                       "as far as it could be read.\n\n%2")
                            .arg(name, loaded.read.problem),
                        ProgramInfo::title());
}

bool ListCommands::SaveList(ListCommandsHost &host)
{
    host.commitOpenEdit();
    if (m_list.CurrentListName().isEmpty())
        return false;
    host.storeWindowGeometry();
    const SaveResult saved = m_store.save(m_list);
    if (!saved)
        reportSaveFailure(saved.error);
    return bool(saved);
}

void ListCommands::DeleteList(ListCommandsHost &host)
{
    host.commitOpenEdit();
    const QString name = m_list.CurrentListName();
    if (!m_prompter.askYesNo(QStringLiteral("Delete %1 med file?").arg(name), ProgramInfo::title()))
        return;
    // By position: a name may stand twice, and only the chosen entry goes.
    QStringList remaining = host.listNames();
    if (const int chosen = host.chosenListIndex(); chosen >= 0 && chosen < remaining.size())
        remaining.removeAt(chosen);
    const SaveResult removed = m_store.remove(name, remaining);
    if (!removed) {
        m_prompter.warn(
            QStringLiteral("The list \"%1\" could not be deleted.\n\n%2").arg(name, removed.error),
            ProgramInfo::title());
        return;
    }
    host.removeChosenListName();
    m_list.setCurrentListName(QString());
    m_openEntry = -1;
    host.ClearList();
}

bool ListCommands::mayLeaveOpenList(ListCommandsHost &host)
{
    return OfferToSave(host) != OfferOutcome::SaveFailed;
}

bool ListCommands::mayClose(ListCommandsHost &host)
{
    host.commitOpenEdit();
    if (mayLeaveOpenList(host))
        return true;
    return m_prompter.askYesNo(QStringLiteral("The list was not saved. Close %1 anyway and lose "
                                              "the changes?")
                                   .arg(ProgramInfo::title()),
                               ProgramInfo::title());
}

void ListCommands::reportSaveFailure(const QString &reason)
{
    m_prompter.warn(QStringLiteral("The list \"%1\" could not be saved.\n\n%2")
                        .arg(m_list.CurrentListName(), reason),
                    ProgramInfo::title());
}
