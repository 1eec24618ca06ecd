#pragma once

#include <QUrl>

// Opens a web address or a document with the desktop's default application
// and returns at once.
class AddressOpener
{
public:
    virtual ~AddressOpener() = default;
    virtual bool open(const QUrl &address) = 0;
};
