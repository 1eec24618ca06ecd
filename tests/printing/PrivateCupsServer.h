#pragma once

#include <QProcess>
#include <QTemporaryDir>

// A CUPS scheduler of the test's own: configuration, socket, spool and logs
// in a temporary folder, no network port, so the machine's printers and
// settings are never touched. It keeps every document it is sent
// (PreserveJobFiles), which is how a test reads back what was printed.
class PrivateCupsServer
{
public:
    PrivateCupsServer();
    ~PrivateCupsServer();

    // Starts the scheduler; returns why it could not, or an empty string.
    QString start();
    // The value for CUPS_SERVER.
    QString socketPath() const { return m_folder.filePath(QStringLiteral("cups.sock")); }
    // Runs a CUPS command (lpadmin, cupsreject) against this server;
    // returns why it failed, or an empty string.
    QString run(const QString &program, const QStringList &arguments);
    // The documents the server was sent, oldest first.
    QStringList receivedDocuments() const;

private:
    QString writeConfiguration();
    QString errorLog() const;

    QTemporaryDir m_folder;
    QProcess m_scheduler;
};
