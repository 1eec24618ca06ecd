#pragma once

class AddressOpener;
class ListHistory;
class MedicationList;
class Prompter;

// The row buttons' commands on a medicine of the open list: move it up or
// down, delete it after asking, look it up on the drug-information site.
// Rows count from 1, as the list's data rows do. Their changes go through
// the list's history, so that they can be undone.
class RowCommands
{
public:
    RowCommands(MedicationList &list, ListHistory &history, Prompter &prompter,
                AddressOpener &opener);

    // The row the medicine stands in afterwards; row itself when it could
    // not move (the first row up, the last row down).
    int moveUp(int row);
    int moveDown(int row);
    // Asks first; a row without a Name is not deleted and nothing is asked.
    // True when the row went: the rows below moved up one place.
    bool deleteRow(int row);
    void lookUp(int row);

private:
    int move(int row, int offset);

    MedicationList &m_list;
    ListHistory &m_history;
    Prompter &m_prompter;
    AddressOpener &m_opener;
};
