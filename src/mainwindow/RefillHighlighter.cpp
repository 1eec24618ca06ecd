#include "RefillHighlighter.h"

#include "Clock.h"
#include "MedicationList.h"
#include "MedicationTableModel.h"
#include "RefillDate.h"

#include <QLocale>

RefillHighlighter::RefillHighlighter(const MedicationList &list, const Clock &clock)
    : m_list(list), m_clock(clock)
{}

void RefillHighlighter::highlight(MedicationTableModel &model, int firstRow, int lastRow) const
{
    const QDate today = m_clock.today();
    const QLocale locale;
    for (int row = firstRow; row <= lastRow; ++row) {
        const QString text = m_list.cell(row, MedicationList::RefillDateColumn);
        model.setRefillDue(row, RefillDate::isDue(text, locale, today));
    }
}

QString RefillHighlighter::unreadableHint(const QString &text) const
{
    // Painting and fitting the columns ask for every refill date again and
    // again; reading a date is slow next to looking its answer up.
    const QDate today = m_clock.today();
    if (today != m_hintsDay) {
        m_hints.clear();
        m_hintsDay = today;
    }
    if (const auto known = m_hints.constFind(text); known != m_hints.constEnd())
        return *known;
    return *m_hints.insert(text, RefillDate::unreadableHint(text, QLocale(), today));
}
