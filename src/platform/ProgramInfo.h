#pragma once

#include <QString>
#include <QUrl>

// Facts about the program itself: its folder, title, version, where an
// installed copy keeps its data, and the maker's addresses.
namespace ProgramInfo {

// The folder holding the executable, without a trailing separator.
QString programFolder();
QString title();
QString version();
int versionMajor();
int versionMinor();
int versionRevision();

// Where an installed copy keeps its help, found from the program folder so
// that an installation can be moved as a whole.
QString installedDataFolder();

// The maker's web site and support address; a packager sets them when
// configuring the build.
QUrl webSite();
QString supportMailAddress();

} // namespace ProgramInfo
