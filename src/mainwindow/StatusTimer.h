#pragma once

#include <QObject>

struct Form1Ui;
class MedicationList;

// Timer1's work every 50 ms: Save, Delete and Print only while the selector
// shows a list's name, the row buttons only while a list is open and the
// current row has a Name, and the marker on the current row, whatever took
// it away.
class StatusTimer : public QObject
{
    Q_OBJECT

public:
    StatusTimer(const MedicationList &list, const Form1Ui &ui, QObject *parent);

    void tick();

private:
    const MedicationList &m_list;
    const Form1Ui &m_ui;
    int m_lastMarkedRow = 0;
};
