#include "reporttool/folderlisting.h"

#include "files/platform.h"

namespace talven {

std::optional<QList<FolderEntry>> listFolder(const QString &folder)
{
    const std::optional<QList<platform::ListedEntry>> listed = platform::listFolder(folder);
    if (!listed)
        return std::nullopt;
    QList<FolderEntry> entries;
    for (const platform::ListedEntry &entry : *listed) {
        const bool study = !entry.leadsToFolder && entry.name.endsWith(QStringLiteral(".vek"), Qt::CaseInsensitive);
        entries.append({entry.name, entry.reachable, entry.folder, study});
    }
    return entries;
}

bool listedBefore(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace talven
