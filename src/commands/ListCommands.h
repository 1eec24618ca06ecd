#pragma once

#include "ListStore.h"

class ListCommandsHost;
class ListHistory;
class MedicationList;
class Prompter;

// The commands that create, load, save and delete lists, and the question
// about unsaved changes that New, Load and closing share. They talk to the
// user through the Prompter, and to the window that shows the list through
// the host it passes with each command. A list loaded, started or deleted
// begins its history of changes afresh.
class ListCommands
{
public:
    enum class OfferOutcome
    {
        NotAsked,
        Saved,
        Declined,
        SaveFailed,
        // The user called the save off when asked about a file that another
        // program had changed.
        Cancelled
    };

    ListCommands(MedicationList &list, const ListStore &store, Prompter &prompter,
                 ListHistory &history);

    OfferOutcome OfferToSave(ListCommandsHost &host);
    // A name that cannot be a list's is explained, then asked for again
    // with the typed text in the box, ready to correct.
    void NewList(ListCommandsHost &host);
    void LoadList(ListCommandsHost &host);
    // Commits an open cell edit, then saves. When another program has
    // changed the file since the list was loaded or saved, asks whether to
    // replace it, keep both or save nothing. True when the list is in its
    // file afterwards; with no list open there is nothing to save and
    // nothing is written.
    bool SaveList(ListCommandsHost &host);
    // Asks first, with No as the answer Enter gives: a whole list is at stake.
    void DeleteList(ListCommandsHost &host);
    // Whether the window may close: asks about unsaved changes and, when the
    // save asked for fails, whether to close anyway.
    bool mayClose(ListCommandsHost &host);

    // Offers the catalogue's names as they are on disk now, the open list
    // still chosen: at start-up and whenever the catalogue changes. While a
    // command runs this waits for its end, so that no question finds the
    // selector changed under it. A catalogue that cannot be read is
    // reported when it becomes so, and the selector stays as it was.
    void followCatalogue(ListCommandsHost &host);

private:
    enum class SaveOutcome
    {
        Saved,
        Failed,
        Cancelled
    };
    // Counts the commands under way and catches up with the catalogue once
    // the last one ends.
    class Running;

    // The name typed for a new list, once it can be one; empty for Cancel.
    QString askNewName(ListCommandsHost &host);
    SaveOutcome saveOpenList(ListCommandsHost &host);
    SaveOutcome keepBoth(ListCommandsHost &host);
    // Asks about unsaved changes. False when the user wanted the open list
    // saved and it was not: the list must then stay open and shown.
    bool mayLeaveOpenList(ListCommandsHost &host);
    // Offers names with the open list's entry chosen, the one at
    // openOrdinal among those holding its name. The open list stays offered
    // even when another computer took it out of the catalogue, so that it
    // can still be saved.
    void offerNames(ListCommandsHost &host, QStringList names, int openOrdinal);
    // Offers the catalogue with the last entry of the open list chosen, the
    // one a command has just added.
    void offerCatalogueWithNewEntry(ListCommandsHost &host);
    void reportLoad(const QString &name, const ListStore::LoadResult &loaded);
    void reportSaveFailure(const QString &reason);

    MedicationList &m_list;
    const ListStore &m_store;
    Prompter &m_prompter;
    ListHistory &m_history;
    // The selector's entry of the open list, to be shown again when the
    // user's choice of another list cannot be followed; -1 for none.
    int m_openEntry = -1;
    int m_running = 0;
    bool m_followPending = false;
    bool m_catalogueUnreadable = false;
};
