#include "DueCommand.h"

#include <QTextStream>

namespace DueCommand {

namespace {

QString field(QString text)
{
    return text.replace(u'\t', u' ').replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

QString line(const DueRefill &refill)
{
    return QStringList{refill.date.toString(Qt::ISODate), field(refill.listName),
                       field(refill.medicine), field(refill.written)}
        .join(u'\t');
}

int run(const DueRefills::Result &due, QTextStream &out, QTextStream &err)
{
    if (!due.ok) {
        err << "pillora: " << due.problem << '\n';
        err.flush();
        return 1;
    }
    for (const QString &problem : due.listProblems)
        err << "pillora: " << problem << '\n';
    err.flush();
    for (const DueRefill &refill : due.refills)
        out << line(refill) << '\n';
    out.flush();
    return 0;
}

} // namespace DueCommand
