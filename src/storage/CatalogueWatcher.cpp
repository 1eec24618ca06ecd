#include "CatalogueWatcher.h"

#include "DataFolder.h"

#include <QFileInfo>

namespace {
// Long enough for a sync tool's write and rename to be one change.
constexpr int SettleMs = 150;
} // namespace

CatalogueWatcher::CatalogueWatcher(const DataFolder &folder, QObject *parent)
    : QObject(parent), m_cataloguePath(folder.cataloguePath())
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &CatalogueWatcher::changed);
    // The folder tells when the catalogue appears, goes or is replaced; the
    // file itself when it is written in place.
    if (QFileInfo(folder.path()).isDir())
        m_watcher.addPath(folder.path());
    watchCatalogue();
    const auto settle = [this] {
        watchCatalogue();
        m_settle.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, settle);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, settle);
}

void CatalogueWatcher::watchCatalogue()
{
    // A file replaced by a rename is a new file, which the watch on the old
    // one no longer sees. Only a regular file is watched: the watcher opens
    // nothing, but a FIFO is no catalogue anyway.
    if (QFileInfo(m_cataloguePath).isFile() && !m_watcher.files().contains(m_cataloguePath))
        m_watcher.addPath(m_cataloguePath);
}
