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

    // Only when the row changed, so a marker removed with its row stays
    // away until the user moves on.
    if (row != m_lastMarkedRow) {
        MedicationTableModel &model = m_ui.Grid1->tableModel();
        model.setRowMarker(row, true);
        model.setRowMarker(m_lastMarkedRow, false);
        m_lastMarkedRow = row;
    }
}
