#include "FileIdentity.h"

FileIdentity FileIdentity::of(const QByteArray &bytes)
{
    return {true, bytes};
}
