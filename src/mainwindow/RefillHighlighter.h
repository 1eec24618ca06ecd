#pragma once

#include <QDate>
#include <QHash>
#include <QString>

class Clock;
class MedicationList;
class MedicationTableModel;

// Marks the Next Refill Date cells that fall due within a week, and says why
// a refill date cannot be read, for the grid to show.
class RefillHighlighter
{
public:
    RefillHighlighter(const MedicationList &list, const Clock &clock);

    // Marks rows firstRow to lastRow by today's date.
    void highlight(MedicationTableModel &model, int firstRow, int lastRow) const;
    // Why the text cannot be read as a date, with the forms that can be;
    // empty for a date that can be read.
    QString unreadableHint(const QString &text) const;

private:
    const MedicationList &m_list;
    const Clock &m_clock;
    mutable QHash<QString, QString> m_hints;
    mutable QDate m_hintsDay;
};
