#include "GeneralNotes.h"

#include "LineBreaks.h"
#include "MedicationList.h"
#include "StorableText.h"

GeneralNotes::GeneralNotes(MedicationList &list, StorableTextEdit &box)
    : QObject(&box), m_list(list), m_box(box)
{
    connect(&m_list, &MedicationList::notesChanged, this, &GeneralNotes::show);
    connect(&m_box, &StorableTextEdit::textChanged, this, &GeneralNotes::takeEdit);
    show();
}

void GeneralNotes::show()
{
    const QString shown = DisplayLineBreaks(m_list.notes());
    if (m_box.shownText() == shown)
        return;
    m_showing = true;
    m_box.setPlainText(shown);
    m_showing = false;
}

void GeneralNotes::takeEdit()
{
    if (m_showing)
        return;
    const QString notes = MergeDisplayEdit(m_list.notes(), m_box.shownText());
    if (notes == m_list.notes())
        return;
    m_list.setNotes(notes);
    m_list.setChangesMade(true);
}
