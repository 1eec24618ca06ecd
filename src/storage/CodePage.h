#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit code page of list and catalogue files: windows-1252, so that
// files written under Windows read back exactly. Every byte has a character,
// so reading never fails; writing refuses characters the code page lacks
// rather than dropping or replacing them.
namespace CodePage {

QString decode(QByteArrayView bytes);
// Returns false, leaving out untouched, when text holds a character the code
// page cannot store.
bool encode(const QString &text, QByteArray &out);
bool canEncode(const QString &text);
// The first character of text that the code page cannot store, or a null QChar.
QString firstUnencodable(const QString &text);

} // namespace CodePage
