#pragma once

#include <QString>

// Facts about the program itself: its folder, title and version.
namespace ProgramInfo {

// The folder holding the executable, without a trailing separator.
QString programFolder();
QString title();
QString version();
int versionMajor();
int versionMinor();
int versionRevision();

} // namespace ProgramInfo
