#include "files/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <qt_windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <limits>

namespace talven::platform {

namespace {

// Windows calls a name longer than its file systems take an invalid name
// (Wine a missing file): it is too long, whatever the code.
constexpr qsizetype LongestName = 255;

std::wstring nativeName(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

// The console of the stream, if it is one (not a pipe, a file or NUL).
HANDLE consoleOf(std::FILE *stream)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace

void clearLastError()
{
    SetLastError(ERROR_SUCCESS);
}

WriteFailure lastWriteFailure(const QString &path)
{
    const DWORD error = GetLastError();
    if (QFileInfo(path).fileName().size() > LongestName)
        return WriteFailure::NameTooLong;
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return WriteFailure::NoPermission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return WriteFailure::DiskFull;
    case ERROR_WRITE_PROTECT:
        return WriteFailure::ReadOnly;
    case ERROR_FILENAME_EXCED_RANGE:
        return WriteFailure::NameTooLong;
    case ERROR_PATH_NOT_FOUND:
        return WriteFailure::NoFolder;
    default:
        return WriteFailure::Unknown;
    }
}

bool processEnded(qint64 pid)
{
    if (pid < 0 || pid > std::numeric_limits<DWORD>::max())
        return false;
    const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, DWORD(pid));
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

bool runsProgramForThisUser(qint64, const QString &)
{
    // QLockFile has already found the process alive and running the program
    // the lock names.
    return true;
}

bool isLink(const QString &path)
{
    const QFileInfo entry(path);
    return entry.isSymbolicLink() || entry.isJunction();
}

bool isOwnRegularFile(const QString &path)
{
    return !isLink(path) && QFileInfo(path).isFile();
}

bool isPrivateFolder(const QString &path)
{
    return QFileInfo(path).isDir();
}

bool isPrivateSocket(const QString &)
{
    return true;
}

QString userRuntimeFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        return {};
    const QString folder = data + QStringLiteral("/talven");
    QDir().mkpath(folder);
    return folder;
}

QString privateTemporaryFolder()
{
    return QDir::tempPath();
}

// The volume and the file's index on it; where the system will not open the
// file to tell, its canonical path, without regard to case as Windows
// compares names.
QString fileIdentity(const QString &path)
{
    const HANDLE file = CreateFileW(nativeName(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return QFileInfo(path).canonicalFilePath().toCaseFolded();
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information);
    CloseHandle(file);
    if (!known)
        return QFileInfo(path).canonicalFilePath().toCaseFolded();
    const quint64 index = (quint64(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return QStringLiteral("%1:%2").arg(quint64(information.dwVolumeSerialNumber)).arg(index);
}

QString actualFileName(const QString &path)
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(nativeName(path).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return QFileInfo(path).fileName();
    FindClose(search);
    return QString::fromWCharArray(found.cFileName);
}

bool syncToDisk(const QString &path)
{
    const HANDLE file = CreateFileW(nativeName(path).c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool synced = FlushFileBuffers(file);
    CloseHandle(file);
    return synced;
}

bool replaceFile(const QString &from, const QString &to)
{
    return MoveFileExW(nativeName(from).c_str(), nativeName(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

// Names are UTF-16 text here, and reach their entries; hidden ones are
// those marked so.
std::optional<QList<ListedEntry>> listFolder(const QString &folder)
{
    const QDir dir(folder);
    if (!dir.isReadable())
        return std::nullopt;
    QList<ListedEntry> entries;
    for (const QFileInfo &entry : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot))
        entries.append({entry.fileName(), true, entry.isDir() && !entry.isSymLink(), entry.isDir()});
    return entries;
}

void prepareStandardStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

bool argumentReadsExactly(const char *, const QString &)
{
    return true;
}

std::optional<bool> writeToConsole(std::FILE *stream, const QString &text)
{
    const HANDLE console = consoleOf(stream);
    if (!console)
        return std::nullopt;
    DWORD written = 0;
    return std::fflush(stream) == 0 && WriteConsoleW(console, text.utf16(), DWORD(text.size()), &written, nullptr)
           && written == DWORD(text.size());
}

bool isTerminal(std::FILE *stream)
{
    return _isatty(_fileno(stream));
}

void drawTextWithFreeType()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
}

}  // namespace talven::platform
