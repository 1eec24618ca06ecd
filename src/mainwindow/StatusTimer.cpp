#include "StatusTimer.h"

#include "Form1Ui.h"
#include "MedicationGrid.h"
#include "MedicationList.h"
#include "MedicationTableModel.h"

#include <QComboBox>
#include <QPushButton>
#include <QTimer>

StatusTimer::StatusTimer(const MedicationList &list, const Form1Ui &ui, QObject *parent)
    : QObject(parent), m_list(list), m_ui(ui)
{
    connect(m_ui.Timer1, &QTimer::timeout, this, &StatusTimer::tick);
    m_ui.Timer1->start();
}

void StatusTimer::tick()
{
    const bool listChosen = !m_ui.cboLoad->currentText().isEmpty();
    for (int index : {Form1Ui::DeleteButton, Form1Ui::SaveButton, Form1Ui::PrintButton})
        m_ui.Command1[index]->setEnabled(listChosen);

    const int row = m_ui.Grid1->row();
    const bool rowHasName = !m_list.CurrentListName().isEmpty() &&
                            !m_list.cell(row, MedicationList::NameColumn).isEmpty();
    for (QPushButton *button : m_ui.Command2)
        button->setEnabled(rowHasName);

    // Also when the row stayed: clearing the grid or deleting the row took
    // its marker away, and a row put back moved it down with the rows.
    MedicationTableModel &model = m_ui.Grid1->tableModel();
    if (row != m_lastMarkedRow || !model.hasRowMarker(row)) {
        for (int marked = 0; marked < MedicationList::RowCount; ++marked)
            model.setRowMarker(marked, marked == row);
        m_lastMarkedRow = row;
    }
}
