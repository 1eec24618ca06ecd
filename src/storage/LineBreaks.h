#pragma once

#include <QString>

// A list file keeps every text on one line: a CR LF pair is stored as "~~"
// and a lone CR as "~". The format has no escape for a "~" of the user's
// own, so such a tilde comes back as a line break.
QString EncodeLineBreaks(const QString &text);
QString DecodeLineBreaks(const QString &line);
// The same for a line that is part of a larger text, copied once.
QString DecodeLineBreaks(QStringView line);

// The editors and the grid show every line break (CR LF, a lone CR read from
// a file, a lone LF) as one LF.
QString DisplayLineBreaks(const QString &text);

// Puts an edit made on the display form of stored back into stored's own
// form. The text before and after the part the user changed keeps its exact
// characters, lone CRs and LFs included; line breaks in the changed part
// become CR LF. An unchanged display text gives stored back unchanged.
QString MergeDisplayEdit(const QString &stored, const QString &edited);
