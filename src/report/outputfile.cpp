#include "report/outputfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <limits>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#endif

namespace talven {

namespace {

// TARGET.talven-PID-XXXXXX: the mark, the process writing it, and six random
// letters or digits, so that a process may write several at once.
const QString TemporaryMark = QStringLiteral(".talven-");
constexpr int RandomLetters = 6;
// Links are followed this deep, as QSaveFile follows them.
constexpr int LinkDepth = 128;
// Names already taken by chance before one is free.
constexpr int CreateAttempts = 16;

QString randomLetters()
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QString text;
    for (int i = 0; i < RandomLetters; ++i)
        text += letters[QRandomGenerator::global()->bounded(int(letters.size()))];
    return text;
}

// Whether the process `pid` has ended. One that runs for another user, or
// that the system will not tell about, runs.
bool processEnded(qint64 pid)
{
#ifdef Q_OS_WIN
    if (pid > std::numeric_limits<DWORD>::max())
        return false;
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
#else
    return pid <= std::numeric_limits<pid_t>::max() && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
#endif
}

// A regular file of this user's, itself and not a link: only such a file
// can be a temporary file this program made for the user.
bool isOwnRegularFile(const QFileInfo &entry)
{
    if (entry.isSymLink() || !entry.isFile())
        return false;
#ifdef Q_OS_UNIX
    return entry.ownerId() == ::geteuid();
#else
    return true;
#endif
}

// What a folder held of the temporary files that runs have left there, by
// the target each was for. A folder is listed once per run: a batch writes
// thousands of reports into one folder, and listing it again for each would
// cost the square of their number.
class LeftTemporaries {
public:
    struct Left {
        QString path;
        qint64 pid = 0;
    };

    // Those found beside `finalPath`, each handed out once.
    QList<Left> take(const QString &finalPath)
    {
        const QFileInfo target(finalPath);
        const QMutexLocker lock(&mutex_);
        if (!listedFolders_.contains(target.absolutePath())) {
            listedFolders_.insert(target.absolutePath());
            list(target.absolutePath());
        }
        return byTarget_.take(target.absoluteFilePath());
    }

private:
    void list(const QString &folder)
    {
        static const QRegularExpression temporaryName(
            QStringLiteral("^(.+)%1([1-9][0-9]{0,9})-[A-Za-z0-9]{%2}$")
                .arg(QRegularExpression::escape(TemporaryMark))
                .arg(RandomLetters));
        QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (entries.hasNext()) {
            entries.next();
            const QRegularExpressionMatch match = temporaryName.match(entries.fileName());
            if (match.hasMatch()) {
                byTarget_[folder + u'/' + match.captured(1)].append(
                    {entries.filePath(), match.captured(2).toLongLong()});
            }
        }
    }

    QMutex mutex_;
    QSet<QString> listedFolders_;
    QHash<QString, QList<Left>> byTarget_;
};

// The temporary files beside `finalPath` of runs that have ended: regular
// files of this user's, as this program makes them. A run that still goes,
// this one included, keeps its own.
void removeLeftTemporaries(const QString &finalPath)
{
    static LeftTemporaries found;
    for (const LeftTemporaries::Left &left : found.take(finalPath)) {
        if (left.pid != QCoreApplication::applicationPid() && isOwnRegularFile(QFileInfo(left.path))
            && processEnded(left.pid))
            QFile::remove(left.path);
    }
}

// Every byte of the file on the disk. A file system that cannot sync passes;
// one that says bytes were lost (an I/O error, no room) does not.
bool syncedToDisk(const QString &path)
{
#ifdef Q_OS_WIN
    const HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool synced = FlushFileBuffers(file);
    CloseHandle(file);
    return synced;
#else
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
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
#endif
}

// `from` takes the place of `to` in one step, whether `to` exists or not.
bool replaceFile(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
                       reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

}  // namespace

QString outputFinalPath(const QString &path)
{
    QFileInfo file(path);
    for (int depth = 0; depth < LinkDepth && file.isSymLink(); ++depth)
        file.setFile(file.symLinkTarget());
    // Links that lead round in a circle: the name itself.
    return file.isSymLink() ? path : file.filePath();
}

OutputFile::OutputFile(const QString &target) : finalPath_(outputFinalPath(target))
{
}

OutputFile::~OutputFile()
{
    if (!created_ || committed_)
        return;
    file_.close();
    QFile::remove(file_.fileName());
}

bool OutputFile::open()
{
    const QFileInfo existing(finalPath_);
    if (existing.isDir() || (existing.exists() && !existing.isWritable()))
        return false;
    removeLeftTemporaries(finalPath_);
    const QString stem = finalPath_ + TemporaryMark + QString::number(QCoreApplication::applicationPid()) + u'-';
    // A new file's permissions come from the user's umask; a replaced one's
    // are kept, and no one else reads the new one before it has them.
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::NewOnly;
    for (int attempt = 0; attempt < CreateAttempts && !created_; ++attempt) {
        file_.setFileName(stem + randomLetters());
        created_ = existing.exists() ? file_.open(mode, QFile::ReadOwner | QFile::WriteOwner) : file_.open(mode);
        if (!created_ && !file_.exists())
            return false;
    }
    if (created_ && existing.exists())
        file_.setPermissions(existing.permissions());
    return created_;
}

bool OutputFile::commit()
{
    if (!created_ || committed_)
        return false;
    // The last buffered bytes reach the file on flush, whose failure close()
    // would ignore.
    const bool written = !file_.isOpen() || (file_.flush() && file_.error() == QFileDevice::NoError);
    file_.close();
    committed_ = written && file_.error() == QFileDevice::NoError && syncedToDisk(file_.fileName())
                 && replaceFile(file_.fileName(), finalPath_);
    if (!committed_) {
        QFile::remove(file_.fileName());
        created_ = false;
    }
    return committed_;
}

}  // namespace talven
