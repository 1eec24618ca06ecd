#pragma once

#include "DueRefills.h"

class QTextStream;

// pillora --due: the due refills as tab-separated lines for scripts.
namespace DueCommand {

// The date as YYYY-MM-DD, the list, the medicine and the date as written.
// A tab or line break inside a text becomes a space, so every refill stays
// one line of four fields.
QString line(const DueRefill &refill);

// Names every problem on err. False when the data folder or the catalogue
// could not be read, which leaves nothing to tell of.
bool reportProblems(const DueRefills::Result &due, QTextStream &err);

// Prints the refills to out and every problem to err. Exit code 1 when the
// data folder or the catalogue could not be read; a list that could not be
// read is named and the others are still listed.
int run(const DueRefills::Result &due, QTextStream &out, QTextStream &err);

} // namespace DueCommand
