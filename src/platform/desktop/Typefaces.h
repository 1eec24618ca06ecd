#pragma once

#include <QFont>

// The program names its typefaces as the Windows desktop knows them (MS Sans
// Serif, Arial, Century Gothic, Calligrapher); these map them onto typefaces
// installed here, so the names can stay in the code.
namespace Typefaces {

void installSubstitutions();

// A font as a window's design names it: a family, a size in points, bold.
QFont designFont(const char *family, double points, bool bold = false);

} // namespace Typefaces
