// File > Open and File > Save in the main window.
#include "app/mainwindow.h"

#include "dialogs/dialogservice.h"
#include "files/recentstudies.h"
#include "files/studyfile.h"
#include "study/methodcode.h"
#include "study/numbers.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QUndoStack>

namespace talven {

namespace {

// The file dialogs' filter, written as pairs of "text|patterns|" and given to
// Qt as "text (patterns)"; each pattern also in capitals, since file names
// here are case-sensitive.
QString qtFileFilter(const QString &pairs)
{
    const QStringList parts = pairs.split(u'|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            patterns << pattern;
            if (pattern.toUpper() != pattern)
                patterns << pattern.toUpper();
        }
        filters << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return filters.join(QStringLiteral(";;"));
}

QString studyFileFilter()
{
    return qtFileFilter(QStringLiteral("タルヴェン機項目名ファイル (*.VEK)|*.vek|"));
}

}  // namespace

void MainWindow::openStudy()
{
    if (!confirmOpen())
        return;
    const QString chosen = dialogService().openFileName(this, dialogFolder(), studyFileFilter());
    if (!chosen.isEmpty())
        restoreStudyFile(chosen);
    finishOpen();
}

// File > 最近使ったファイル: "&1 樋門A.vek", the full path as the tip, opened
// as File > Open opens a chosen file.
void MainWindow::updateRecentMenu()
{
    recentMenu_->clear();
    const QStringList studies = recentStudies();
    for (int i = 0; i < studies.size(); ++i) {
        const QString path = studies[i];
        const QString name = QFileInfo(path).fileName().replace(u'&', QStringLiteral("&&"));
        QAction *entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        entry->setToolTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { openStudyFile(path); });
    }
    recentMenu_->setEnabled(!studies.isEmpty());
}

bool MainWindow::confirmOpen()
{
    return isSaved() || confirmDiscard(QStringLiteral("タルヴェン・開く"));
}

// Also after a cancelled dialog or a refused file.
void MainWindow::finishOpen()
{
    tabs_->setCurrentIndex(MethodTab);
}

// Typing under way is saved too, as a step of its own.
bool MainWindow::saveStudy()
{
    commitChange(editText(focusedBox_));
    if (!saveStudyFile())
        return false;
    // The record now holds the method code just written.
    committed_ = snapshot();
    history_->setClean();
    return true;
}

QString MainWindow::proposedFolder() const
{
    return studyPath_.isEmpty() ? dialogFolder() : QFileInfo(studyPath_).absolutePath();
}

QString MainWindow::proposedFileName() const
{
    return studyPath_.isEmpty() ? QStringLiteral("新規タイトル") : QFileInfo(studyPath_).fileName();
}

bool MainWindow::saveStudyFile()
{
    const QString chosen =
        dialogService().saveFileName(this, proposedFolder(), proposedFileName(), studyFileFilter());
    if (chosen.isEmpty())
        return false;
    const QString target = withStudyExtension(chosen);
    if (target != chosen && QFileInfo::exists(target) && !showMessage(overwriteQuestion(target)))
        return false;
    const double methodCode =
        buildMethodCode(selectedFormula(), listIndex(), leadingNumber(numberBoxes_[CreepRatioBox]->text()));
    StudyFileContent content;
    for (int i = 0; i < NameCount; ++i)
        content.names[i] = nameBoxes_[i]->text();
    for (int i = 0; i < NumberBoxCount; ++i)
        content.numberTexts[i] = numberBoxes_[i]->text();
    content.methodCode = methodCode;
    content.doubleFlags = study_.doubleFlags;
    if (const std::optional<Message> refusal = writeStudyFile(target, content)) {
        showMessage(*refusal);
        return false;
    }
    study_.methodCode = methodCode;
    setStudyPath(target);
    return true;
}

void MainWindow::restoreStudyFile(const QString &path)
{
    const StudyFileReadResult read = readStudyFile(path);
    const auto *parsed = std::get_if<ParsedStudy>(&read);
    if (!parsed) {
        showMessage(readErrorMessage());
        // A study that is gone leaves the recent list; one refused stays.
        if (!QFileInfo::exists(path)) {
            forgetRecentStudy(path);
            updateRecentMenu();
        }
        return;
    }

    // A box being left runs its handling on the study it belongs to, before
    // that study is replaced.
    tabs_->setFocus();
    {
        const QScopedValueRollback quiet(quietChanges_, quietChanges_ + 1);
        takeOverStudy(study_, *parsed);
        showMethod(parsed->method.formula, parsed->method.listIndex, parsed->method.ratioText,
                   restoredRatioText(parsed->method));
        // Every number box is rewritten and checked, also where it already
        // showed the text the record now gives.
        for (int i = 0; i < NumberBoxCount; ++i) {
            if (i != CreepRatioBox)
                emptyNumberBoxQuietly(i);
        }
        refreshBoxes();
    }
    nameBoxes_[0]->setFocus();
    setStudyPath(path);
    startHistory();
}

}  // namespace talven
