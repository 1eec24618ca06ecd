#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class DataFolder;

// Tells when the catalogue may have changed on disk: written by this
// program, edited in place by another, or replaced by a sync tool that
// renames a new copy over it. A burst of changes gives one signal.
class CatalogueWatcher : public QObject
{
    Q_OBJECT

public:
    explicit CatalogueWatcher(const DataFolder &folder, QObject *parent = nullptr);

signals:
    void changed();

private:
    void watchCatalogue();

    QString m_cataloguePath;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
};
