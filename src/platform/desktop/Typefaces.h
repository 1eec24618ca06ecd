#pragma once

// The program names its typefaces as the Windows desktop knows them (MS Sans
// Serif, Arial, Century Gothic, Calligrapher); these map them onto typefaces
// installed here, so the names can stay in the code.
namespace Typefaces {

void installSubstitutions();

} // namespace Typefaces
