#pragma once

#include <QString>

namespace talven {

// A text for a terminal, a name above all (a study, a folder, an output):
// each control character (C0, DEL and C1) written as \x1B, so that a name
// holding ESC, CR or LF can neither move the cursor, recolour the terminal
// nor start a line of its own. Every message that shows a name on standard
// output or standard error passes it through here.
QString escapeControlCharacters(const QString &text);

}  // namespace talven
