#include "RowCommands.h"

#include "AddressOpener.h"
#include "ListHistory.h"
#include "MedicationList.h"
#include "MedicineLookup.h"
#include "ProgramInfo.h"
#include "Prompter.h"

RowCommands::RowCommands(MedicationList &list, ListHistory &history, Prompter &prompter,
                         AddressOpener &opener)
    : m_list(list), m_history(history), m_prompter(prompter), m_opener(opener)
{}

int RowCommands::moveUp(int row)
{
    return move(row, -1);
}

int RowCommands::moveDown(int row)
{
    return move(row, +1);
}

int RowCommands::move(int row, int offset)
{
    const int target = row + offset;
    if (row < MedicationList::FirstDataRow || row > MedicationList::LastDataRow ||
        target < MedicationList::FirstDataRow || target > MedicationList::LastDataRow)
        return row;
    m_history.swapRows(row, target);
    return target;
}

bool RowCommands::deleteRow(int row)
{
    const QString name = m_list.cell(row, MedicationList::NameColumn);
    if (name.isEmpty() || !m_prompter.askYesNo(QStringLiteral("Delete %1?").arg(name),
                                               ProgramInfo::title(), Prompter::DefaultAnswer::Yes))
        return false;
    m_history.removeRow(row);
    return true;
}

void RowCommands::lookUp(int row)
{
    const QString name = m_list.cell(row, MedicationList::NameColumn);
    if (name.isEmpty()) {
        m_prompter.inform(QStringLiteral("Please highlight a medicine above first."),
                          QStringLiteral("Message"));
        return;
    }
    m_opener.open(MedicineLookup::address(name));
}
