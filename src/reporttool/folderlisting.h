#pragma once

// A folder's entries as the system names them (platform::listFolder): a
// name that no text reaches is marked so, and shown with its odd bytes escaped.

#include <QList>
#include <QString>

#include <optional>

namespace talven {

struct FolderEntry {
    QString name;            // for a name that is not UTF-8: its odd bytes as \xFF, a backslash as \\ .
    bool reachable = true;   // `name` reaches this entry
    bool folder = false;     // a folder itself, not a link to one
    bool study = false;      // *.vek in any case, and neither a folder nor a link to one
};

// The folder's entries but hidden ones (on Unix a leading dot, as a shell's
// * leaves them out), in no particular order; nothing when the folder cannot
// be listed.
std::optional<QList<FolderEntry>> listFolder(const QString &folder);

// The order of a folder's entries: by name as a file manager lists them, case
// aside first, then exactly, so that the order is the same on every system.
bool listedBefore(const QString &a, const QString &b);

}  // namespace talven
