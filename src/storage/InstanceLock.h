#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

class DataFolder;

// Held by the running copy of the program for its data folder, so that a
// second copy cannot overwrite the first one's saves. The lock file names
// the process, the computer and the time it was taken; while the copy runs
// it also holds the system's lock on that file, so a copy on this computer
// that is gone (a crash, a power cut) leaves a file that the next copy
// takes over rather than being shut out for good. A lock from another
// computer, as a synced or shared folder carries it, tells nothing about
// whether that copy still runs: the user decides.
class InstanceLock
{
public:
    struct Holder
    {
        qint64 pid = 0;
        QString host;
        // When the lock was taken; invalid where the file does not say.
        QDateTime since;
    };

    enum class Claim
    {
        Claimed,
        // A running copy on this computer holds the folder.
        HeldHere,
        // A copy on another computer may hold it; holder() says which.
        HeldElsewhere,
        // No lock can be written here (a read-only folder, a folder in the
        // lock file's place). That does not keep the program from starting:
        // its saves will fail and say why, or check for changes as always.
        Unavailable
    };

    // hostName is this computer's name, set by tests to play another one.
    explicit InstanceLock(const DataFolder &folder, const QString &hostName = localHostName());
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    Claim claim();
    // The copy that holds the lock, as its file names it.
    const Holder &holder() const { return m_holder; }
    // Puts this copy's lock in place of another computer's, once the user
    // has agreed; false when no lock can be written.
    bool takeOver();
    bool isHeld() const { return m_fd >= 0; }

    static QByteArray format(const Holder &holder);
    // A lock file's holder, or nothing for an empty or damaged file. The
    // lock of a copy of the program from before the time was written has
    // no time.
    static std::optional<Holder> parse(QByteArrayView bytes);

    static QString localHostName();

private:
    enum class Look
    {
        Free,
        Busy,
        Foreign,
        Unusable
    };
    bool create();
    Look lookAtExisting();

    QString m_path;
    QString m_host;
    Holder m_holder;
    int m_fd = -1;
};
