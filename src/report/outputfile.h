#pragma once

// An output (a report PDF, a table, a workbook) written so that a failed or
// cut-short write never passes for a finished one, and never stays behind:
// the bytes go to a temporary file beside the target, named as this run's
// own (TARGET.talven-PID-XXXXXX), which replaces the target only once every
// byte is on the disk. Opening first removes the temporary files that runs
// which have ended left beside the same target (killed while writing, a power
// cut): only regular files of this user, named exactly so, whose process is
// gone; a folder is looked through once per run, the first time an output is
// written there. A link to the target is followed, as QSaveFile does: the
// link stays and the file it leads to is replaced.

#include <QFile>
#include <QString>

namespace talven {

class OutputFile {
public:
    explicit OutputFile(const QString &target);
    // A temporary file that was not committed is removed.
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Makes the temporary file and opens it for writing. False when the
    // target is a folder or a file this user may not write, or no file can be
    // made beside it.
    bool open();
    // The temporary file, for QIODevice writes. A writer that opens files by
    // name closes it and writes to its fileName() instead.
    QFile &file() { return file_; }
    // Flushes and closes the temporary file, syncs it to the disk and renames
    // it over the target. False when a write or any step fell short; the
    // temporary file is then gone and the target as it was.
    bool commit();

private:
    QString finalPath_;
    QFile file_;
    bool created_ = false;  // the temporary file is ours, to rename or remove
    bool committed_ = false;
};

// The file that writing to `path` replaces: `path`, or the file its links
// lead to (which may not exist yet).
QString outputFinalPath(const QString &path);

}  // namespace talven
