#pragma once

#include "ListStore.h"

class ListCommandsHost;
class MedicationList;
class Prompter;

// The commands that create, load, save and delete lists, and the question
// about unsaved changes that New, Load and closing share. They talk to the
// user through the Prompter, and to the window that shows the list through
// the host it passes with each command.
class ListCommands
{
public:
    enum class OfferOutcome
    {
        NotAsked,
        Saved,
        Declined,
        SaveFailed
    };

    ListCommands(MedicationList &list, const ListStore &store, Prompter &prompter);

    OfferOutcome OfferToSave(ListCommandsHost &host);
    void NewList(ListCommandsHost &host);
    void LoadList(ListCommandsHost &host);
    // Commits an open cell edit, then saves. True when the list is in its
    // file afterwards; with no list open there is nothing to save and
    // nothing is written.
    bool SaveList(ListCommandsHost &host);
    void DeleteList(ListCommandsHost &host);
    // Whether the window may close: asks about unsaved changes and, when the
    // save asked for fails, whether to close anyway.
    bool mayClose(ListCommandsHost &host);

private:
    // Asks about unsaved changes. False when the user wanted the open list
    // saved and the save failed: the list must then stay open and shown.
    bool mayLeaveOpenList(ListCommandsHost &host);
    void reportSaveFailure(const QString &reason);

    MedicationList &m_list;
    const ListStore &m_store;
    Prompter &m_prompter;
    // The selector's entry of the open list, to be shown again when the
    // user's choice of another list cannot be followed; -1 for none.
    int m_openEntry = -1;
};
