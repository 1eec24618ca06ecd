#include "FileIdentity.h"

#include <QCryptographicHash>

FileIdentity FileIdentity::of(QByteArrayView bytes)
{
    return {true, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)};
}
