#pragma once

// Every file the program writes (a study, its companion, a report PDF, a
// table, a workbook) is written so that a failed or cut-short write never
// passes for a finished one, and never stays behind: the bytes go to a
// temporary file beside the target, named as this run's own
// (TARGET.talven-PID-XXXXXX), which takes the target's place only once every
// byte is on the disk. Opening first removes the temporary files that runs
// which have ended left beside the same target (killed while writing, a power
// cut): only regular files of this user, named exactly so, whose process is
// gone; a folder is looked through once per run, the first time a file is
// written there.
//
// The name itself is replaced: a link of that name is replaced by the file,
// and what it led to stays as it was. An output that is to follow its links
// (talven-report's, the window's PDF) is given the name outputFinalPath()
// finds. Every failure says its cause, as the system tells it.

#include "files/platform.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>

namespace talven {

class SafeFile;

// The file of two that could not be written, and why.
struct SafeFileFailure {
    QString target;
    WriteFailure cause = WriteFailure::Unknown;
};

// Two files that belong together (a study and its companion) take their
// targets' places both or neither: `first`, then `second`. The file `first`
// replaces is set aside until `second` is in place, and put back when
// `second` cannot be; with `keptAs` it stays under that name (a companion
// this version cannot read), otherwise it goes once both are in place.
std::optional<SafeFileFailure> commitBoth(SafeFile &first, SafeFile &second, const QString &keptAs = QString());

class SafeFile {
public:
    explicit SafeFile(const QString &target);
    // A temporary file that was not committed is removed.
    ~SafeFile();
    SafeFile(const SafeFile &) = delete;
    SafeFile &operator=(const SafeFile &) = delete;

    // Makes the temporary file and opens it for writing. Refused when the
    // target is something other than a regular file or a link (a folder, a
    // FIFO) or a file this user may not write, or no file can be made beside it.
    std::optional<WriteFailure> open();
    // The temporary file, for QIODevice writes. A writer that opens files by
    // name closes it and writes to its fileName() instead.
    QFile &file() { return file_; }
    std::optional<WriteFailure> write(const QByteArray &bytes);
    // Flushes and closes the temporary file, syncs it to the disk and renames
    // it over the target. When a write or any step fell short the temporary
    // file is gone and the target as it was.
    std::optional<WriteFailure> commit();

    const QString &target() const { return target_; }

private:
    friend std::optional<SafeFileFailure> commitBoth(SafeFile &first, SafeFile &second, const QString &keptAs);
    // Every byte of the temporary file on the disk, the file closed.
    std::optional<WriteFailure> finish();
    std::optional<WriteFailure> takePlace();
    void discard();

    QString target_;
    QFile file_;
    bool created_ = false;  // the temporary file is ours, to rename or remove
    bool committed_ = false;
};

// Writes `bytes` to `path` through a SafeFile.
std::optional<WriteFailure> writeFileSafely(const QString &path, const QByteArray &bytes);

// The file that writing to `path` replaces when links are followed: `path`,
// or the file its links lead to (which may not exist yet).
QString outputFinalPath(const QString &path);

}  // namespace talven
