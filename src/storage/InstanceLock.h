#pragma once

#include <QLockFile>

class DataFolder;

// Held by the running copy of the program for its data folder, so that a
// second copy cannot overwrite the first one's saves. A copy that crashed
// leaves a lock naming a process that is gone, and the next copy takes it
// over rather than being shut out for good.
class InstanceLock
{
public:
    explicit InstanceLock(const DataFolder &folder);

    // False only when another running copy holds the folder. A lock that
    // cannot be written at all (a read-only folder) does not keep the
    // program from starting: its saves will fail and say why.
    bool claim();

private:
    QLockFile m_lock;
};
