#include "DueCommand.h"

#include <QRegularExpression>
#include <QTextStream>

namespace DueCommand {

namespace {

QString field(QString text)
{
    static const QRegularExpression separators(QStringLiteral("[\\t\\r\\n]"));
    return text.replace(separators, QStringLiteral(" "));
}

} // namespace

QString line(const DueRefill &refill)
{
    return QStringList{refill.date.toString(Qt::ISODate), field(refill.listName),
                       field(refill.medicine), field(refill.written)}
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
