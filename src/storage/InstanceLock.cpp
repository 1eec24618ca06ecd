#include "InstanceLock.h"

#include "DataFolder.h"

InstanceLock::InstanceLock(const DataFolder &folder) : m_lock(folder.instanceLockPath())
{
    // However long the program runs, its lock stays its own; only a lock
    // whose process is gone counts as left behind.
    m_lock.setStaleLockTime(0);
}

bool InstanceLock::claim()
{
    return m_lock.tryLock(0) || m_lock.error() != QLockFile::LockFailedError;
}
