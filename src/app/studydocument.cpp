#include "app/studydocument.h"

#include "dialogs/dialogservice.h"
#include "files/studyfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace talven {

namespace {

// Trying is the only sure test: permissions say nothing about a read-only
// disk or a folder the system guards.
bool userCanWriteIn(const QString &folder)
{
    QTemporaryFile probe(folder + QStringLiteral("/.talven-XXXXXX"));
    return probe.open();
}

}  // namespace

QString studyFileFilter()
{
    // Each pattern also in capitals, since file names here are case-sensitive.
    return QStringLiteral("タルヴェン機項目名ファイル (*.VEK) (*.vek *.VEK)");
}

QString writableStudyFolder(const QString &folder)
{
    if (userCanWriteIn(folder))
        return folder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

StudyDocument::StudyDocument(QObject *parent) : QObject(parent), study_(emptyStudy()), committed_(study_) {}

bool StudyDocument::edit(const Study &study, const QString &step)
{
    if (!isTyping())
        typingStep_ = step;
    if (study == study_)
        return false;
    study_ = study;
    Q_EMIT studyChanged();
    Q_EMIT stateChanged();
    return true;
}

void StudyDocument::commit()
{
    if (!isTyping())
        return;
    history_.push(typingStep_, committed_, study_);
    committed_ = study_;
    Q_EMIT stateChanged();
}

void StudyDocument::reformat(const Study &study)
{
    Q_ASSERT(!isTyping() && study.record == study_.record);
    if (study == study_)
        return;
    study_ = committed_ = study;
    Q_EMIT studyChanged();
}

void StudyDocument::change(const QString &text, const Study &study)
{
    commit();
    edit(study, text);
    commit();
}

void StudyDocument::undo()
{
    commit();
    if (!history_.canUndo())
        return;
    study_ = committed_ = refreshBoxes(history_.undo()).study;
    Q_EMIT studyChanged();
    Q_EMIT stateChanged();
}

void StudyDocument::redo()
{
    if (isTyping() || !history_.canRedo())
        return;
    study_ = committed_ = refreshBoxes(history_.redo()).study;
    Q_EMIT studyChanged();
    Q_EMIT stateChanged();
}

void StudyDocument::start(const Study &study, const QString &path)
{
    study_ = committed_ = study;
    history_.clear();
    setPath(path);
    Q_EMIT studyChanged();
    Q_EMIT stateChanged();
}

// A study without a file, or kept where the user cannot write (an installed
// example), is saved under a name the user chooses.
bool StudyDocument::save(QWidget *dialogParent)
{
    if (path_.isEmpty() || !userCanWriteIn(QFileInfo(path_).absolutePath()))
        return saveAs(dialogParent);
    commit();
    return write(path_);
}

bool StudyDocument::saveAs(QWidget *dialogParent)
{
    commit();
    const QString chosen =
        dialogService().saveFileName(dialogParent, proposedFolder(), proposedFileName(), studyFileFilter());
    if (chosen.isEmpty())
        return false;
    // The dialog asks before replacing only the name as typed.
    const QString target = withStudyExtension(chosen);
    if (target != chosen && QFileInfo::exists(target) && !showMessage(overwriteQuestion(target)))
        return false;
    return write(target);
}

bool StudyDocument::write(const QString &target)
{
    const bool ownFile = QFileInfo(target).absoluteFilePath() == path_;
    if (const std::optional<Message> question = companionQuestion(target, ownFile); question && !showMessage(*question))
        return false;
    const StudySave saved = saveStudy(target, study_);
    if (saved.message)
        showMessage(*saved.message);
    if (!saved.written)
        return false;
    // The study now holds the method code just written.
    study_.record.methodCode = studyFileContent(study_).methodCode;
    committed_ = study_;
    history_.setClean();
    setPath(target);
    Q_EMIT stateChanged();
    return true;
}

void StudyDocument::setPath(const QString &path)
{
    path_ = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (path_.isEmpty())
        return;
    lastStudyFolder_ = QFileInfo(path_).absolutePath();
    Q_EMIT fileUsed(path_);
}

QString StudyDocument::dialogFolder() const
{
    return lastStudyFolder_.isEmpty() ? writableStudyFolder(QCoreApplication::applicationDirPath()) : lastStudyFolder_;
}

QString StudyDocument::proposedFolder() const
{
    return writableStudyFolder(path_.isEmpty() ? dialogFolder() : QFileInfo(path_).absolutePath());
}

QString StudyDocument::proposedFileName() const
{
    return path_.isEmpty() ? QStringLiteral("新規タイトル") : QFileInfo(path_).fileName();
}

QString StudyDocument::proposedPdfPath() const
{
    return proposedFolder() + u'/' + QFileInfo(proposedFileName()).completeBaseName() + QStringLiteral(".pdf");
}

}  // namespace talven
