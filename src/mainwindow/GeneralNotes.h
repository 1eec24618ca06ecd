#pragma once

#include <QObject>

class MedicationList;
class StorableTextEdit;

// Keeps the general-notes box and the list's notes in step. Whatever the
// user changes marks the list changed, as a cell edit does; showing a
// loaded list's notes does not. What the user left alone keeps its exact
// characters, so one keystroke cannot turn the file's lone line breaks
// into CR LF.
class GeneralNotes : public QObject
{
    Q_OBJECT

public:
    GeneralNotes(MedicationList &list, StorableTextEdit &box);

private:
    void show();
    void takeEdit();

    MedicationList &m_list;
    StorableTextEdit &m_box;
    bool m_showing = false;
};
