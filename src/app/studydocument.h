#pragma once

#include "study/study.h"
#include "study/studyhistory.h"

#include <QObject>
#include <QString>

class QWidget;

namespace talven {

// The study being worked on as a document: the study value, its file, its
// undo history and whether it is saved, and the folder the file dialogs
// start in.
//
// Typing in a box is an edit under way: the study changes keystroke by
// keystroke and becomes one step of the history when committed (the box
// left, or any command that needs the study whole). Every other change is a
// step at once. The study is saved when the history stands at its saved
// step and nothing is typed since.
class StudyDocument final : public QObject {
    Q_OBJECT
public:
    explicit StudyDocument(QObject *parent = nullptr);

    const Study &study() const { return study_; }
    QString path() const { return path_; }  // absolute; empty for a study without a file
    bool isSaved() const { return history_.isClean() && !isTyping(); }
    bool isTyping() const { return study_ != committed_; }
    const StudyHistory &history() const { return history_; }
    // What the edit under way is called: "寸法の入力".
    QString typingStep() const { return typingStep_; }

    // False when the edit left the study as it was.
    bool edit(const Study &study, const QString &step);
    void commit();
    // The same study written otherwise (its numbers with two decimals): no
    // step, no change of the saved state.
    void reformat(const Study &study);
    // A change of the study as a whole: one step named `text`.
    void change(const QString &text, const Study &study);
    // The study a step gives back shows its numbers with two decimals.
    void undo();
    void redo();

    // New and Open: the study as it stands is the saved one, in `path`
    // (empty for a new study), with a fresh history.
    void start(const Study &study, const QString &path);
    // File > 上書き保存: the study written to its own file, without a dialog;
    // saveAs() for a study without a file or in a folder the user cannot
    // write. File > 名前を付けて保存: the save dialog, then the file. Both
    // ask before replacing a companion that is not the study's own
    // (companionQuestion). Both true once it is written; Cancel, a No, a
    // refused name and a failed write leave everything as it was.
    bool save(QWidget *dialogParent);
    bool saveAs(QWidget *dialogParent);

    // Where the open dialog starts: the folder of the study last opened or
    // saved in this run, or writableStudyFolder() of the program's folder.
    QString dialogFolder() const;
    // The study's own folder and name once it has a file, otherwise
    // "新規タイトル" in the dialogs' folder; with .pdf for the PDF printer. A
    // folder the user cannot write gives way to the documents folder.
    QString proposedFolder() const;
    QString proposedFileName() const;
    QString proposedPdfPath() const;

Q_SIGNALS:
    void studyChanged();
    // The path, the saved state, the history's texts.
    void stateChanged();
    // The study was opened from or saved to `path` (absolute).
    void fileUsed(const QString &path);

private:
    bool write(const QString &target);
    void setPath(const QString &path);

    Study study_;
    Study committed_;  // the study as the history's current step left it
    QString typingStep_;
    StudyHistory history_;
    QString path_;
    QString lastStudyFolder_;
};

// The file dialogs' filter of study files.
QString studyFileFilter();

// `folder` when the user can write there (the program's folder of a copy kept
// in a personal folder), otherwise the user's documents folder (the home
// folder when there is none).
QString writableStudyFolder(const QString &folder);

}  // namespace talven
