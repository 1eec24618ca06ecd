#include "DueCommand.h"

#include <QTextStream>

namespace DueCommand {

namespace {

QString field(QString text)
{
    return text.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
}

// YYYY-MM-DD as QDate::toString(Qt::ISODate) writes it, without the printf
// that costs it a microsecond a line.
QString isoDate(const QDate &date)
{
    int year = 0, month = 0, day = 0;
    date.getDate(&year, &month, &day);
    if (year < 1 || year > 9999)
        return date.toString(Qt::ISODate);
    const auto digits = [](char *to, int value, int count) {
        for (int i = count - 1; i >= 0; --i, value /= 10)
            to[i] = char('0' + value % 10);
    };
    char text[] = "yyyy-mm-dd";
    digits(text, year, 4);
    digits(text + 5, month, 2);
    digits(text + 8, day, 2);
    return QString::fromLatin1(text, 10);
}

} // namespace

QString line(const DueRefill &refill)
{
    return QStringList{isoDate(refill.date), field(refill.listName), field(refill.medicine),
                       field(refill.written)}
        .join(u'\t');
}

bool reportProblems(const DueRefills::Result &due, QTextStream &err)
{
    const QStringList problems = due.ok ? due.listProblems : QStringList{due.problem};
    for (const QString &problem : problems)
        err << "pillora: " << problem << '\n';
    err.flush();
    return due.ok;
}

int run(const DueRefills::Result &due, QTextStream &out, QTextStream &err)
{
    if (!reportProblems(due, err))
        return 1;
    for (const DueRefill &refill : due.refills)
        out << line(refill) << '\n';
    out.flush();
    return 0;
}

} // namespace DueCommand
