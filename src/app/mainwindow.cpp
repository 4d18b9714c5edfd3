// The main window's commands: New, Open, the two saves, the report's settings,
// preview and printing, the history, help and exit.
#include "app/mainwindow.h"

#include "app/helpwindow.h"
#include "app/methodpage.h"
#include "app/piletab.h"
#include "app/previewwindow.h"
#include "app/reportsettings.h"
#include "app/studyboxes.h"
#include "app/studydocument.h"
#include "app/titlewindow.h"
#include "app/twips.h"
#include "check/studycheck.h"
#include "dialogs/dialogservice.h"
#include "files/studyfile.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>

namespace talven {

namespace {

// "元に戻す：寸法の入力", or the bare command when there is nothing to name.
QString commandText(const QString &command, const QString &step)
{
    return step.isEmpty() ? command : command + u'：' + step;
}

}  // namespace

MainWindow::MainWindow()
{
    setAcceptDrops(true);
    document_ = new StudyDocument(this);
    boxes_ = new StudyBoxes(this);
    createActions();
    buildTabs();
    connectStudy();
    document_->start(withTitleBlock(emptyStudy()), QString());
    // The status line comes under the client area of the tabs.
    const QSize client(twipsX(this, 10080), twipsY(this, 7260));
    const int below = statusLine_->sizeHint().height() + centralWidget()->layout()->spacing();
    resize(QSize(client.width(), client.height() + below + menuBar()->sizeHint().height()).expandedTo(minimumSizeHint()));
    updateRecentMenu();
}

// The children go after this destructor, and some signal as they go (the
// tabs when their pages are deleted): none of it may reach this window.
MainWindow::~MainWindow()
{
    for (QObject *child : findChildren<QObject *>())
        child->disconnect(this);
}

ReportDocument MainWindow::reportDocument() const
{
    const Study &study = document_->study();
    const QString path = document_->path();
    return ReportDocument(study, study.pages.over(settings_.page),
                          printedTitleBlock(study.titleBlock.value_or(settings_.titleBlock), path,
                                            reportDate(QDate::currentDate())),
                          QFileInfo(path).fileName());
}

// A study without a title block of its own (a new one, a study file without
// its companion) takes the user's.
Study MainWindow::withTitleBlock(Study study) const
{
    if (!study.titleBlock)
        study.titleBlock = settings_.titleBlock;
    return study;
}

void MainWindow::rememberStudy(const QString &path)
{
    settings_.rememberStudy(path);
    saveSettings();
    updateRecentMenu();
}

void MainWindow::forgetRecentStudy(const QString &path)
{
    settings_.forgetStudy(path);
    saveSettings();
    updateRecentMenu();
}

void MainWindow::saveSettings()
{
    if (!settings_.save())
        qWarning("talven: the settings cannot be kept in %s", qPrintable(userSettingsFile()));
}

bool MainWindow::confirmDiscard(const QString &caption)
{
    return ask(QStringLiteral("作業中のデータは全て失われますがいいですか？"), caption);
}

void MainWindow::newStudy()
{
    if (!document_->isSaved() && !confirmDiscard(QStringLiteral("タルヴェン・新規作成")))
        return;
    document_->start(withTitleBlock(resetStudy(document_->study(), false)), QString());
    hideAllResults();
    tabs_->setCurrentIndex(MethodTab);
}

void MainWindow::openStudy()
{
    if (!document_->isSaved() && !confirmDiscard(QStringLiteral("タルヴェン・開く")))
        return;
    const QString chosen = dialogService().openFileName(this, document_->dialogFolder(), studyFileFilter());
    if (!chosen.isEmpty())
        restoreStudyFile(chosen);
    // Also after a cancelled dialog or a refused file.
    tabs_->setCurrentIndex(MethodTab);
}

void MainWindow::openStudyFile(const QString &path)
{
    if (!document_->isSaved() && !confirmDiscard(QStringLiteral("タルヴェン・開く")))
        return;
    restoreStudyFile(path);
    tabs_->setCurrentIndex(MethodTab);
}

void MainWindow::restoreStudyFile(const QString &path)
{
    const StudyFileReadResult read = readStudyFile(path);
    const auto *opened = std::get_if<StudyEdit>(&read);
    if (!opened) {
        showMessage(readErrorMessage());
        // A study that is gone leaves the recent list; one refused stays.
        if (!QFileInfo::exists(path))
            forgetRecentStudy(path);
        return;
    }
    // A box being left runs its handling on the study it belongs to, before
    // that study is replaced.
    tabs_->setFocus();
    for (const Message &message : opened->messages)
        showMessage(message);
    document_->start(withTitleBlock(opened->study), path);
    hideAllResults();
    boxes_->nameBox(0)->setFocus();
}

bool MainWindow::saveStudy()
{
    return document_->save(this);
}

void MainWindow::saveStudyAs()
{
    document_->saveAs(this);
}

// The dialog leaves the window to look at; OK gives the study its title
// block, its basis and its own page options, as one step, and keeps the
// user's part for the next new studies.
void MainWindow::editReportSettings()
{
    const Study &study = document_->study();
    auto *dialog = new ReportSettingsDialog(study.titleBlock.value_or(settings_.titleBlock), study.basis,
                                            study.pages.over(settings_.page), document_->path(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        const TitleBlock chosen = dialog->titleBlock();
        const PageOptions options = dialog->pageOptions();
        settings_.titleBlock = userFields(chosen);
        settings_.page = userOptionsOf(options);
        saveSettings();
        Study study = document_->study();
        study.titleBlock = chosen;
        study.basis = dialog->designBasis();
        study.pages = studyOptionsOf(options);
        document_->change(QStringLiteral("帳票の設定"), study);
    });
    dialog->open();
}

// The menu's preview and print refuse a study that cannot be checked.
bool MainWindow::refuseReport()
{
    if (checkStudy(document_->study()).ready())
        return false;
    showMessage(reportNotReadyMessage());
    return true;
}

void MainWindow::printPreview()
{
    if (!refuseReport())
        showPreview(true);
}

// File > Print: the dialog offers the whole document on a printer and nothing else.
void MainWindow::printReport()
{
    if (!refuseReport())
        printStudyReport(this, reportDocument(), document_->proposedPdfPath(), true);
}

void MainWindow::showPreview(bool modal)
{
    PreviewWindow::open(this, [this] { return reportDocument(); }, [this] { return document_->proposedPdfPath(); }, modal);
}

void MainWindow::clearNumbers()
{
    if (!ask(QStringLiteral("名称以外は全て消去されますがいいですか？"), QStringLiteral("タルヴェン・数値のクリア")))
        return;
    document_->change(QStringLiteral("数値のみクリア"), resetStudy(document_->study(), true));
    tabs_->setCurrentIndex(MethodTab);
}

void MainWindow::showHelp()
{
    talven::showHelp(this);
}

void MainWindow::showVersion()
{
    TitleWindow::open(TitleWindow::Look::Version);
}

// Undoing and redoing may change the first tab's values under a pile tab;
// the box holding the focus shows its restored value as if entered.
void MainWindow::stepHistory(bool back)
{
    if (back)
        document_->undo();
    else
        document_->redo();
    const StudyCheck check = checkStudy(document_->study());
    if (tabs_->currentIndex() != MethodTab && check.ready()) {
        for (Section section : Sections)
            pileTab(section)->showReferenceSigmaL(check.governingCase().referenceSigmaL);
    }
    boxes_->selectFocusedBox();
}

// Also while a box is typed in: typing is a change not yet on the history.
void MainWindow::updateDocumentState()
{
    const QString path = document_->path();
    // The unsaved mark stands where [*] is; the title of a study without a
    // file has none.
    setWindowTitle(path.isEmpty() ? applicationTitle()
                                  : QFileInfo(path).fileName() + QStringLiteral("[*] - ") + applicationTitle());
    const bool modified = !path.isEmpty() && !document_->isSaved();
    if (isWindowModified() != modified)
        setWindowModified(modified);
    const bool typing = document_->isTyping();
    const StudyHistory &history = document_->history();
    undoAction_->setEnabled(typing || history.canUndo());
    undoAction_->setText(commandText(QStringLiteral("元に戻す"), typing ? document_->typingStep() : history.undoText()));
    // Committing the typing would end the redo history.
    redoAction_->setEnabled(!typing && history.canRedo());
    redoAction_->setText(commandText(QStringLiteral("やり直し"), typing ? QString() : history.redoText()));
}

// File > 最近使ったファイル: "&1 樋門A.vek", the full path as the tip, opened
// as File > Open opens a chosen file.
void MainWindow::updateRecentMenu()
{
    recentMenu_->clear();
    const QStringList studies = settings_.recentStudies;
    for (int i = 0; i < studies.size(); ++i) {
        const QString path = studies[i];
        const QString name = QFileInfo(path).fileName().replace(u'&', QStringLiteral("&&"));
        QAction *entry = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        entry->setToolTip(QDir::toNativeSeparators(path));
        connect(entry, &QAction::triggered, this, [this, path] { openStudyFile(path); });
    }
    recentMenu_->setEnabled(!studies.isEmpty());
}

// Unsaved work is offered a save first; Yes quits only once it is saved.
bool MainWindow::confirmExit()
{
    const QString caption = QStringLiteral("タルヴェン・終了");
    if (document_->isSaved())
        return ask(QStringLiteral("プログラムを終了しますか？"), caption);
    switch (askOrCancel(QStringLiteral("作業中のデータは保存されていません。保存してから終了しますか？"), caption)) {
    case Answer::Yes:
        return saveStudy();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!confirmExit()) {
        event->ignore();
        return;
    }
    event->accept();
    // The program ends here, whatever other window is open.
    QCoreApplication::exit(0);
}

}  // namespace talven
