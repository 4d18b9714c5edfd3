#include "reporttool/folderlisting.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#endif

namespace talven {

namespace {

bool hasStudyExtension(const QString &name)
{
    return name.endsWith(QStringLiteral(".vek"), Qt::CaseInsensitive);
}

#ifdef Q_OS_UNIX
// Each character of a name that is not UTF-8 as it is where it is valid,
// every other byte as \xFF; a backslash is doubled, so that no shown name
// reads as another.
QString shownName(const QByteArray &raw)
{
    QString shown;
    for (qsizetype i = 0; i < raw.size();) {
        // The shortest valid piece from here is one character.
        qsizetype length = 1;
        while (length < 4 && i + length < raw.size() && !QByteArrayView(raw).sliced(i, length).isValidUtf8())
            ++length;
        const QByteArrayView piece = QByteArrayView(raw).sliced(i, length);
        if (piece.isValidUtf8()) {
            shown += piece == "\\" ? QStringLiteral("\\\\") : QString::fromUtf8(piece);
            i += length;
        } else {
            shown += QStringLiteral("\\x") + QString::number(uchar(raw[i]), 16).toUpper().rightJustified(2, u'0');
            ++i;
        }
    }
    return shown;
}
#endif

}  // namespace

#ifdef Q_OS_UNIX
// Listed by bytes: a name that is not UTF-8 is kept, not read as another.
std::optional<QList<FolderEntry>> listFolder(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return std::nullopt;
    const auto closeDir = qScopeGuard([dir] { ::closedir(dir); });
    QList<FolderEntry> entries;
    for (;;) {
        errno = 0;
        const dirent *entry = ::readdir(dir);
        if (!entry)
            return errno == 0 ? std::optional(entries) : std::nullopt;
        const QByteArray raw(entry->d_name);
        if (raw.startsWith('.'))
            continue;
        struct stat itself {};
        struct stat target {};
        const bool folderItself =
            ::fstatat(::dirfd(dir), entry->d_name, &itself, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(itself.st_mode);
        const bool leadsToFolder = ::fstatat(::dirfd(dir), entry->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode);
        const QString decoded = QFile::decodeName(raw);
        const bool reachable = QFile::encodeName(decoded) == raw;
        const QString name = reachable ? decoded : shownName(raw);
        entries.append({name, reachable, folderItself, !leadsToFolder && hasStudyExtension(name)});
    }
}
#else
// Names are UTF-16 text here, and reach their entries; hidden ones are
// those marked so.
std::optional<QList<FolderEntry>> listFolder(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.isReadable())
        return std::nullopt;
    QList<FolderEntry> entries;
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        entries.append({entry.fileName(), true, entry.isDir() && !entry.isSymLink(),
                        !entry.isDir() && hasStudyExtension(entry.fileName())});
    }
    return entries;
}
#endif

bool listedBefore(const QString &a, const QString &b)
{
    const int folded = a.compare(b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a < b;
}

}  // namespace talven
