#include "files/safefile.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

namespace talven {

namespace {

// TARGET.talven-PID-XXXXXX: the mark, the process writing it, and six random
// letters or digits, so that a process may write several at once.
const QString TemporaryMark = QStringLiteral(".talven-");
constexpr int RandomLetters = 6;
// Links are followed this deep, as the system follows them.
constexpr int LinkDepth = 128;
// Names already taken by chance before one is free.
constexpr int CreateAttempts = 16;
// What a pair's first file replaces waits under its temporary file's name
// with this after it: no run's temporary file, so never swept away.
const QString SetAsideMark = QStringLiteral("-previous");

QString randomLetters()
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    QString text;
    for (int i = 0; i < RandomLetters; ++i)
        text += letters[QRandomGenerator::global()->bounded(int(letters.size()))];
    return text;
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

    // Those found beside `target`, each handed out once.
    QList<Left> take(const QString &target)
    {
        const QFileInfo file(target);
        const QMutexLocker lock(&mutex_);
        if (!listedFolders_.contains(file.absolutePath())) {
            listedFolders_.insert(file.absolutePath());
            list(file.absolutePath());
        }
        return byTarget_.take(file.absoluteFilePath());
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

// The temporary files beside `target` of runs that have ended: regular files
// of this user's, as this program makes them. A run that still goes, this
// one included, keeps its own.
void removeLeftTemporaries(const QString &target)
{
    static LeftTemporaries found;
    for (const LeftTemporaries::Left &left : found.take(target)) {
        if (left.pid != QCoreApplication::applicationPid() && platform::isOwnRegularFile(left.path)
            && platform::processEnded(left.pid))
            QFile::remove(left.path);
    }
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

SafeFile::SafeFile(const QString &target) : target_(target)
{
}

SafeFile::~SafeFile()
{
    if (created_ && !committed_)
        discard();
}

std::optional<WriteFailure> SafeFile::open()
{
    // A link in the target's place is replaced itself: what it leads to is
    // neither judged nor touched.
    const QFileInfo existing(target_);
    const bool replacing = !platform::isLink(target_) && existing.exists();
    // Renaming the finished file over a folder fails, and over a FIFO or a
    // device would replace it.
    if (replacing && !existing.isFile())
        return WriteFailure::Unknown;
    if (replacing && !existing.isWritable())
        return WriteFailure::ReadOnly;
    removeLeftTemporaries(target_);
    const QString stem = target_ + TemporaryMark + QString::number(QCoreApplication::applicationPid()) + u'-';
    // A new file's permissions come from the user's umask; a replaced one's
    // are kept, and no one else reads the new one before it has them.
    const QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::NewOnly;
    for (int attempt = 0; attempt < CreateAttempts && !created_; ++attempt) {
        file_.setFileName(stem + randomLetters());
        platform::clearLastError();
        created_ = replacing ? file_.open(mode, QFile::ReadOwner | QFile::WriteOwner) : file_.open(mode);
        if (created_)
            break;
        // Read before anything else asks the system.
        const WriteFailure cause = platform::lastWriteFailure(file_.fileName());
        if (!file_.exists())
            return cause;
    }
    if (!created_)
        return WriteFailure::Unknown;
    if (replacing)
        file_.setPermissions(existing.permissions());
    return std::nullopt;
}

std::optional<WriteFailure> SafeFile::write(const QByteArray &bytes)
{
    platform::clearLastError();
    if (file_.write(bytes) == bytes.size())
        return std::nullopt;
    const WriteFailure cause = platform::lastWriteFailure(file_.fileName());
    discard();
    return cause;
}

std::optional<WriteFailure> SafeFile::commit()
{
    if (const std::optional<WriteFailure> failed = finish())
        return failed;
    return takePlace();
}

std::optional<WriteFailure> SafeFile::finish()
{
    if (!created_ || committed_)
        return WriteFailure::Unknown;
    platform::clearLastError();
    // The last buffered bytes reach the file on flush, whose failure close()
    // would ignore.
    bool written = !file_.isOpen() || (file_.flush() && file_.error() == QFileDevice::NoError);
    if (written) {
        file_.close();
        written = file_.error() == QFileDevice::NoError && platform::syncToDisk(file_.fileName());
    }
    if (written)
        return std::nullopt;
    const WriteFailure cause = platform::lastWriteFailure(file_.fileName());
    discard();
    return cause;
}

std::optional<WriteFailure> SafeFile::takePlace()
{
    platform::clearLastError();
    if (platform::replaceFile(file_.fileName(), target_)) {
        committed_ = true;
        return std::nullopt;
    }
    const WriteFailure cause = platform::lastWriteFailure(target_);
    discard();
    return cause;
}

void SafeFile::discard()
{
    file_.close();
    QFile::remove(file_.fileName());
    created_ = false;
}

std::optional<WriteFailure> writeFileSafely(const QString &path, const QByteArray &bytes)
{
    SafeFile file(path);
    if (const std::optional<WriteFailure> failed = file.open())
        return failed;
    if (const std::optional<WriteFailure> failed = file.write(bytes))
        return failed;
    return file.commit();
}

std::optional<SafeFileFailure> commitBoth(SafeFile &first, SafeFile &second, const QString &keptAs)
{
    for (SafeFile *file : {&first, &second}) {
        if (const std::optional<WriteFailure> failed = file->finish())
            return SafeFileFailure{file->target(), *failed};
    }
    const QString &target = first.target();
    const bool previous = platform::isLink(target) || QFileInfo::exists(target);
    const QString aside = keptAs.isEmpty() ? first.file().fileName() + SetAsideMark : keptAs;
    platform::clearLastError();
    if (previous && !platform::replaceFile(target, aside))
        return SafeFileFailure{target, platform::lastWriteFailure(target)};
    // What `first` replaced comes back; without one, `first` goes again.
    const auto putBack = [&] { previous ? platform::replaceFile(aside, target) : QFile::remove(target); };
    if (const std::optional<WriteFailure> failed = first.takePlace()) {
        if (previous)
            putBack();
        return SafeFileFailure{target, *failed};
    }
    if (const std::optional<WriteFailure> failed = second.takePlace()) {
        putBack();
        return SafeFileFailure{second.target(), *failed};
    }
    if (previous && keptAs.isEmpty())
        QFile::remove(aside);
    return std::nullopt;
}

}  // namespace talven
