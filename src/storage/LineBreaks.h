#pragma once

#include <QString>

// A list file keeps every text on one line: a CR LF pair is stored as "~~"
// and a lone CR as "~". The format has no escape for a "~" of the user's
// own, so such a tilde comes back as a line break.
QString EncodeLineBreaks(const QString &text);
QString DecodeLineBreaks(const QString &line);
// The same for a line that is part of a larger text, copied once.
QString DecodeLineBreaks(QStringView line);
