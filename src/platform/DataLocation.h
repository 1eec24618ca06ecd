#pragma once

#include <QString>

namespace DataLocation {

// The folder that holds MedFiles. A copy of the program in a folder of its
// own (a portable copy) keeps its lists beside it. An installed copy, one
// with installedDataFolder beside it, or a copy whose folder cannot be
// written, keeps them in the user's data folder.
QString folderHoldingMedFiles(const QString &programFolder, const QString &installedDataFolder);

// The XDG rule is that a relative XDG_DATA_HOME is invalid and ignored, so
// ~/.local/share serves. Qt takes it relative to the working folder instead,
// for the user's data folder and for the trash alike; this drops it from the
// environment before either is asked for.
void ignoreRelativeDataHome();

} // namespace DataLocation
