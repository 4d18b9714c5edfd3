#pragma once

// The system calls the program makes, in one place: what Unix and Windows do
// differently is said here and done in platform_unix.cpp or
// platform_windows.cpp (CMake builds the one for the system), never in an
// #if elsewhere. Qt does the rest the same way on both.

#include <QList>
#include <QString>

#include <cstdio>
#include <optional>

namespace talven {

// Why a write failed, as the system tells it.
enum class WriteFailure { Unknown, NoPermission, DiskFull, ReadOnly, NameTooLong, NoFolder };

namespace platform {

// ---- errors ----

// Forgets the error code of an earlier call: a check that fails without
// asking the system (a folder where the file should be) then leaves no stale
// code behind.
void clearLastError();
// The cause of the write to `path` that has just failed, from the system's
// error code (errno; GetLastError() on Windows), read before any other call.
WriteFailure lastWriteFailure(const QString &path);

// ---- processes ----

// Whether the process `pid` has ended. One that runs for another user, or
// that the system will not tell about, runs.
bool processEnded(qint64 pid);
// Whether the running process `pid` runs `program` for this user, where the
// system tells (Linux); elsewhere true.
bool runsProgramForThisUser(qint64 pid, const QString &program);

// ---- files and folders ----

// The entry at `path` itself is a link (on Windows a symbolic link or a
// junction; a shortcut is a file).
bool isLink(const QString &path);
// A regular file of this user's, itself and not a link.
bool isOwnRegularFile(const QString &path);
// A folder itself (not a link to one) that this user alone may read, write
// or enter. On Windows the user's profile guards its folders: a folder.
bool isPrivateFolder(const QString &path);
// A local socket of this user's that no one else may reach. On Windows the
// socket is a named pipe open to this user alone, with no file to judge: true.
bool isPrivateSocket(const QString &path);
// The user's own folder for the lock and the socket of the running copy:
// the runtime folder; on Windows, where Qt's runtime folder is the profile's
// top folder, %LOCALAPPDATA%\talven, made when missing. Empty when there is none.
QString userRuntimeFolder();
// A folder of this user's own under the temporary folder, for when the
// runtime folder is not the user's alone: talven-UID, made closed to others;
// one found there already is taken only as this user would have made it. On
// Windows the temporary folder itself, which is under the profile. Empty
// when there is none.
QString privateTemporaryFolder();

// What an existing name reaches, links followed: the device and the file's
// number there (a hard link, a folder mounted twice). Empty when nothing is there.
QString fileIdentity(const QString &path);
// The name of the file at `path` as its folder holds it: on Windows, whose
// names ignore case, in the case it was made with; elsewhere the name itself.
QString actualFileName(const QString &path);

// Every byte of the file on the disk. A file system that cannot sync passes;
// one that says bytes were lost (an I/O error, no room) does not.
bool syncToDisk(const QString &path);
// `from` takes the place of `to` in one step, whether `to` exists or not; a
// link named `to` is replaced itself, never what it leads to.
bool replaceFile(const QString &from, const QString &to);

// A folder's entry as the system names it. On Unix a name is bytes, which Qt
// reads as UTF-8: a name that is not UTF-8 would read as another one
// (plan\xFF.vek as plan\uFFFD.vek, which may exist too), so such a name is
// marked as one that no text reaches, and shown with its odd bytes escaped.
struct ListedEntry {
    QString name;                // for a name that is not UTF-8: its odd bytes as \xFF, a backslash as \\ .
    bool reachable = true;       // `name` reaches this entry
    bool folder = false;         // a folder itself, not a link to one
    bool leadsToFolder = false;  // a folder, or a link to one
};
// The folder's entries but hidden ones (on Unix a leading dot, as a shell's
// * leaves them out), in no particular order; nothing when the folder cannot
// be listed.
std::optional<QList<ListedEntry>> listFolder(const QString &folder);

// ---- the command line ----

// Standard output and standard error as talven-report writes them: a reader
// that goes away early (`| head`) does not end the run (the lost lines show
// as failed writes), and line ends stay LF on every system.
void prepareStandardStreams();
// Whether the command-line argument `raw` names what its text `decoded`
// names. On Unix the arguments are bytes, which Qt decodes as UTF-8: bytes
// that are not UTF-8 become U+FFFD, and the text names another file. Windows
// hands over the command line in UTF-16: always.
bool argumentReadsExactly(const char *raw, const QString &decoded);
// A Windows console shows its own code page (932 in Japan): it is given the
// characters themselves. Whether they were written; nothing when the stream
// is not a console (a pipe, a file, NUL, and always on Unix), which takes UTF-8.
std::optional<bool> writeToConsole(std::FILE *stream, const QString &text);
bool isTerminal(std::FILE *stream);

// ---- the display ----

// FreeType draws the text on every system, as on Linux: the same glyph
// widths for the report's columns (under Wine the Windows engine left
// right-aligned boxes blank). A platform given on the command line or in
// QT_QPA_PLATFORM still wins. Called before the application is made.
void drawTextWithFreeType();

}  // namespace platform

}  // namespace talven
