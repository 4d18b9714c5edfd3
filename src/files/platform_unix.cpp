#include "files/platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <limits>

namespace talven::platform {

namespace {

QByteArray nativeName(const QString &path)
{
    return QFile::encodeName(path);
}

// The entry at `path` itself (a link is not followed) is of `type` and
// belongs to this user; with `closed`, no one else may read, write or enter it.
bool belongsToThisUser(const QString &path, mode_t type, bool closed)
{
    struct stat entry {};
    return ::lstat(nativeName(path).constData(), &entry) == 0 && (entry.st_mode & S_IFMT) == type
           && entry.st_uid == ::geteuid() && (!closed || (entry.st_mode & 077) == 0);
}

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

}  // namespace

void clearLastError()
{
    errno = 0;
}

WriteFailure lastWriteFailure(const QString &)
{
    switch (errno) {
    case EACCES:
    case EPERM:
        return WriteFailure::NoPermission;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return WriteFailure::DiskFull;
    case EROFS:
        return WriteFailure::ReadOnly;
    case ENAMETOOLONG:
        return WriteFailure::NameTooLong;
    case ENOENT:
    case ENOTDIR:
        return WriteFailure::NoFolder;
    default:
        return WriteFailure::Unknown;
    }
}

bool processEnded(qint64 pid)
{
    return pid <= std::numeric_limits<pid_t>::max() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

bool runsProgramForThisUser(qint64 pid, const QString &program)
{
#ifdef Q_OS_LINUX
    const QString process = QStringLiteral("/proc/%1").arg(pid);
    return belongsToThisUser(process, S_IFDIR, false)
           && QFileInfo(QFile::symLinkTarget(process + QStringLiteral("/exe"))).fileName() == program;
#else
    // QLockFile has already found the process alive and, where the system
    // tells, running the program the lock names.
    Q_UNUSED(pid)
    Q_UNUSED(program)
    return true;
#endif
}

bool isLink(const QString &path)
{
    struct stat entry {};
    return ::lstat(nativeName(path).constData(), &entry) == 0 && S_ISLNK(entry.st_mode);
}

bool isOwnRegularFile(const QString &path)
{
    return belongsToThisUser(path, S_IFREG, false);
}

bool isPrivateFolder(const QString &path)
{
    return belongsToThisUser(path, S_IFDIR, true);
}

bool isPrivateSocket(const QString &path)
{
    return belongsToThisUser(path, S_IFSOCK, true);
}

QString userRuntimeFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

QString privateTemporaryFolder()
{
    const QString temporary = QDir::tempPath();
    if (temporary.isEmpty())
        return {};
    const QString folder = temporary + QStringLiteral("/talven-%1").arg(::geteuid());
    // Closed from the moment it exists; one that exists already is judged below.
    ::mkdir(nativeName(folder).constData(), 0700);
    return isPrivateFolder(folder) ? folder : QString();
}

QString fileIdentity(const QString &path)
{
    struct stat file {};
    if (::stat(nativeName(path).constData(), &file) != 0)
        return {};
    return QStringLiteral("%1:%2").arg(quint64(file.st_dev)).arg(quint64(file.st_ino));
}

QString actualFileName(const QString &path)
{
    return QFileInfo(path).fileName();
}

bool syncToDisk(const QString &path)
{
    const int descriptor = ::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    bool synced = ::fsync(descriptor) == 0;
    if (!synced) {
        synced = errno != EIO && errno != ENOSPC;
#ifdef EDQUOT
        synced = synced && errno != EDQUOT;
#endif
    }
    ::close(descriptor);
    return synced;
}

bool replaceFile(const QString &from, const QString &to)
{
    return std::rename(nativeName(from).constData(), nativeName(to).constData()) == 0;
}

// Listed by bytes: a name that is not UTF-8 is kept, not read as another.
std::optional<QList<ListedEntry>> listFolder(const QString &folder)
{
    DIR *dir = ::opendir(nativeName(folder).constData());
    if (!dir)
        return std::nullopt;
    const auto closeDir = qScopeGuard([dir] { ::closedir(dir); });
    QList<ListedEntry> entries;
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
        entries.append({reachable ? decoded : shownName(raw), reachable, folderItself, leadsToFolder});
    }
}

void prepareStandardStreams()
{
    std::signal(SIGPIPE, SIG_IGN);
}

bool argumentReadsExactly(const char *raw, const QString &decoded)
{
    return QFile::encodeName(decoded) == QByteArray(raw);
}

std::optional<bool> writeToConsole(std::FILE *, const QString &)
{
    return std::nullopt;
}

bool isTerminal(std::FILE *stream)
{
    return ::isatty(::fileno(stream));
}

void drawTextWithFreeType()
{
    // Linux draws with FreeType already.
}

}  // namespace talven::platform
