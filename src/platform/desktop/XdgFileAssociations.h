#pragma once

#include "FileAssociations.h"

// Asks xdg-mime for the default application of the file's type and of the
// type's aliases. Without xdg-mime there is none that the program could
// start, so the answer is no.
class XdgFileAssociations : public FileAssociations
{
public:
    bool hasApplicationFor(const QString &filePath) const override;
};
