#pragma once

#include "AddressOpener.h"

class DesktopAddressOpener : public AddressOpener
{
public:
    bool open(const QUrl &address) override;
};
