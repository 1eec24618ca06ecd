#pragma once

#include <QString>

// Whether the desktop has an application for a kind of file, so the program
// can offer another form of a document where nothing would open the first.
class FileAssociations
{
public:
    virtual ~FileAssociations() = default;
    virtual bool hasApplicationFor(const QString &filePath) const = 0;
};
