#pragma once

#include <QString>
#include <QStringList>

// What a new list's name must be so that its file can exist on Windows and
// Linux alike and belongs to it alone.
namespace ListNameRules {

// The reason to refuse name as a new list's name, or an empty string.
QString refusalForNewName(const QString &name, const QStringList &existingNames);

} // namespace ListNameRules
