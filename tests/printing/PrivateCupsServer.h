#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A CUPS scheduler of the test's own: its configuration, socket, spool and
// logs live in a temporary folder, it listens on no network port, and it
// goes away with the test, so the machine's printers and settings are never
// touched. It keeps every document it was sent (PreserveJobFiles), which is
// how a test reads back what the program printed.
class PrivateCupsServer
{
public:
    PrivateCupsServer();
    ~PrivateCupsServer();

    // Starts the scheduler; on failure returns why, else an empty string.
    QString start();
    void stop();

    // Where clients reach this server: the value for CUPS_SERVER.
    QString socketPath() const { return m_folder.filePath(QStringLiteral("cups.sock")); }

    // Adds an enabled queue for a PostScript printer on Letter paper with
    // quarter-inch margins, printing to nowhere. Returns why it failed, or
    // an empty string.
    QString addQueue(const QString &name);
    // The queue refuses every new job.
    QString rejectJobs(const QString &name);

    // The documents the server was sent, oldest first.
    QStringList receivedDocuments() const;
    QString errorLog() const;

private:
    QString run(const QString &program, const QStringList &arguments);
    QString writeConfiguration();

    QTemporaryDir m_folder;
    QProcess m_scheduler;
};
