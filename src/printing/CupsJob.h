#pragma once

#include <QByteArray>
#include <QString>

class QPageLayout;

// Hands a finished PDF to the print server as one job. Qt's own CUPS engine
// drops the server's answer, so a refused job would pass for a printed one.
namespace CupsJob {

// Returns why the job was not taken, or an empty string once it was.
QString send(const QString &printer, const QByteArray &pdf, const QString &title,
             const QPageLayout &layout);

} // namespace CupsJob
