#pragma once

#include <QObject>

class ListHistory;
class MedicationList;
class StorableTextEdit;

// Keeps the general-notes box and the list's notes in step. Whatever the
// user changes marks the list changed, as a cell edit does; showing a
// loaded list's notes does not. What the user left alone keeps its exact
// characters, so one keystroke cannot turn the file's lone line breaks
// into CR LF. Typing goes into the list's history, a run of it at a time:
// the box keeps no undo of its own, and leaves the undo and redo keys to
// the window.
class GeneralNotes : public QObject
{
    Q_OBJECT

public:
    GeneralNotes(MedicationList &list, ListHistory &history, StorableTextEdit &box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void show();
    void takeEdit();

    MedicationList &m_list;
    ListHistory &m_history;
    StorableTextEdit &m_box;
    bool m_showing = false;
};
