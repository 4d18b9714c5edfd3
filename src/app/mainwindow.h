#pragma once

// The main window of タルヴェン and how the program is put together.
//
//   study/      a StudyRecord and the StudyInput it is checked and printed
//               from, number formats, soil-class tables, the table of the
//               number boxes (boxtable.h) with the range rules read from it,
//               and the method code
//   check/      the creep-ratio formulas and checkStudy(): the one check of a
//               study (L, ΔH, both ΣL, both verdicts, readiness) that every
//               view only formats
//   files/      the .vek study file: read, validate, write, restore
//   report/     the one-page report drawn on any ReportSurface (page image,
//               printer, PDF); no widgets, so talven-report uses it too
//   reporttool/ talven-report's work: studies and folders to PDFs and a table
//   dialogs/    every message box, file and printer dialog, through one
//               service that tests replace
//   app/        start-up (main.cpp, commandline, singleinstance: one copy per
//               user, later launches hand their file over) and the windows:
//               this one (mainwindow.cpp behaviour, _boxes the boxes' keys
//               and focus, _files open and save, _history undo and redo, the
//               title and the unsaved mark, _layout the first tab and the
//               menus, _report preview and printing, _desktop files from
//               outside and the dialogs' folders), piletab (the vertical and
//               the horizontal tab, one class), the title, help and preview
//               windows, printreport
//   tools/      the talven-report program: its arguments and main
//
// The window owns its study (study_). A keystroke in a number box:
// eventFilter() lets swallowsNumberKey() judge it, the box's textChanged runs
// onNumberEdited(), which hides the result lines the box feeds and
// validateNumberBox() range-checks the text, stores the number in study_ and
// updateTotals() writes L, ΔH and both ΣL from check(). Leaving the box runs
// refreshBoxes(), which writes every number back with two decimals.
// "計算結果を見る" runs showResult(), which hands check() to that section's
// PileTab to write into its ResultLine.
//
// The undo history holds whole studies (StudySnapshot). Each committed change
// (a box left with a new value, a tick, a formula, a class, a change of the
// study as a whole through changeStudy()) pushes one step from the study last
// committed to the study now; undoing restores a snapshot through the same
// writes an open makes, so every handler runs as for a user's change. The
// study is saved when the history stands at its clean step and nothing is
// typed since.

#include "app/piletab.h"
#include "app/printreport.h"
#include "app/reportsettings.h"
#include "check/studycheck.h"
#include "study/boxtable.h"
#include "study/soilclasses.h"
#include "study/studyinput.h"
#include "study/studyrecord.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <optional>

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QUndoStack;

namespace talven {

// The study as the undo history keeps it: the record, the name boxes' texts
// (a name is stored only when its box is left), the formula, the class and
// the ratio box's text.
struct StudySnapshot {
    StudyRecord record;
    std::array<QString, NameCount> nameTexts;
    Formula formula = Formula::Lane;
    int listIndex = -1;
    QString ratioText;

    bool operator==(const StudySnapshot &) const = default;
};

// The main window: the whole study on three tabs, the menus and the
// navigation buttons. Constructing it loads an empty study; showing it is
// the caller's part.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum Tab { MethodTab, VerticalTab, HorizontalTab };

    // The tab of a box group's section; the first tab's groups have none.
    // The pile tabs follow the first in section order.
    static constexpr Tab tabOf(std::optional<Section> section)
    {
        return section ? Tab(VerticalTab + int(*section)) : MethodTab;
    }

    MainWindow();
    ~MainWindow() override;

    QLineEdit *numberBox(int index) const { return numberBoxes_.at(index); }
    QLineEdit *nameBox(int index) const { return nameBoxes_.at(index); }
    PileTab *pileTab(Section section) const { return pileTabs_[std::size_t(section)]; }
    QCheckBox *doubleTick(Section section, int row) const { return pileTab(section)->doubleTick(row); }
    QRadioButton *formulaButton(Formula formula) const;
    QListWidget *soilClassList() const { return soilClassList_; }
    QLineEdit *creepRatioBox() const { return numberBoxes_[CreepRatioBox]; }
    QTabWidget *tabs() const { return tabs_; }
    // L, ΔH, vertical ΣL, horizontal ΣL.
    std::array<QLabel *, 4> totalLabels() const;
    QLabel *creepRatioCaption() const { return creepRatioCaption_; }
    QLabel *formulaNumeratorLabel() const { return formulaNumeratorLabel_; }
    QLabel *referenceSigmaLLabel(Section section) const { return pileTab(section)->referenceSigmaLLabel(); }
    const ResultLine &resultLine(Section section) const { return pileTab(section)->resultLine(); }

    QPushButton *toVerticalButton() const { return toVerticalButton_; }
    QPushButton *toHorizontalButton() const { return pileTab(Section::Vertical)->nextButton(); }
    QPushButton *backToVerticalButton() const { return pileTab(Section::Horizontal)->backButton(); }
    QPushButton *backToMethodButton() const { return pileTab(Section::Vertical)->backButton(); }
    QPushButton *previewButton() const { return pileTab(Section::Horizontal)->nextButton(); }
    QPushButton *showResultButton(Section section) const { return pileTab(section)->showResultButton(); }

    QAction *newAction() const { return newAction_; }
    QAction *openAction() const { return openAction_; }
    QAction *saveAction() const { return saveAction_; }
    QAction *previewAction() const { return previewAction_; }
    QAction *reportSettingsAction() const { return reportSettingsAction_; }
    QAction *printAction() const { return printAction_; }
    QAction *exitAction() const { return exitAction_; }
    QMenu *recentMenu() const { return recentMenu_; }
    QAction *undoAction() const { return undoAction_; }
    QAction *redoAction() const { return redoAction_; }
    QAction *clearNumbersAction() const { return clearNumbersAction_; }
    QAction *helpAction() const { return helpAction_; }
    QAction *versionAction() const { return versionAction_; }

    // The study: the record the boxes store into, and with the window-held
    // choices (formula, class, x2 ticks) what is checked and printed.
    const StudyRecord &study() const { return study_; }
    // Whether the study is as it was last opened, saved or started: nothing
    // changed since, or every change undone.
    bool isSaved() const;

    // A change the program makes to the study as a whole, as one step of the
    // undo history named `text` ("元に戻す：text"): whatever `change` writes
    // into the boxes, ticks, formula or class, each write running its
    // control's handler as a user's change does, is undone and redone at once.
    // Typing under way in a box becomes a step of its own first.
    void changeStudy(const QString &text, const std::function<void()> &change);
    StudyInput studyInput() const;
    // The study with the page's options, as the preview and printing draw it.
    ReportPage reportPage() const;
    // File > 帳票の設定…
    void editReportSettings();
    StudyCheck check() const { return checkStudy(studyInput()); }

    // The window-held part of the study.
    Formula selectedFormula() const;
    int listIndex() const;  // -1 when no soil class is selected
    bool ratioEditable() const;

    // Selecting a formula from code always runs the formula selection, even
    // when that formula is already selected.
    void selectFormula(Formula formula);
    void setListIndex(int index);

    void resetStudy(bool keepNames);
    void refreshBoxes();
    void updateTotals();
    void showResult(Section section);
    // "矢板長の提案…": the dialog, and its lengths written when applied.
    void proposePileLengths(Section section);
    void hideResults(int box);  // the result lines that number box feeds
    void setTabStopsForCurrentTab();

    // The menu commands.
    void newStudy();
    void openStudy();
    bool saveStudy();  // true once the study is written
    void printPreview();
    void printReport();
    void clearNumbers();
    void undo();
    void redo();
    void showHelp();
    void showVersion();

    // File > Open with the file already chosen: named on the command line,
    // handed over by a later launch or dropped on the window
    // (mainwindow_desktop.cpp).
    void openStudyFile(const QString &path);
    // A later launch's file: the window comes to the front and opens it.
    void openHandedOverStudy(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Layout (mainwindow_layout.cpp).
    void createActions();
    void createMenus();
    void buildTabs();
    QWidget *buildMethodTab();
    int addRows(QGridLayout *grid, const BoxGroupInfo &group);
    QLineEdit *newNumberBox(int index);
    QLineEdit *newNameBox(int index);
    void connectControls();

    // Handlers.
    void resetControlsAndRecord(bool keepNames);
    void onTabChanged(int previousTab);
    void onFormulaSelected(Formula formula);
    void onSoilClassSelected();
    void onDoubleTickToggled(Section section, int row);
    void setRatioEditable(bool editable);
    bool confirmDiscard(const QString &caption);
    bool confirmExit();

    // The boxes (mainwindow_boxes.cpp).
    bool isFileShortcut(const QKeyEvent &key) const;
    int historyStep(const QKeyEvent &key) const;
    QString editText(const QLineEdit *box) const;
    void onNumberEdited(int index);
    void onNameEdited(int index);
    bool swallowsNumberKey(int index, const QKeyEvent &key);
    bool swallowsNameKey(int index, const QKeyEvent &key);
    void onNumberBoxLeft(int index);
    void onNameBoxLeft(int index);
    void onBoxEntered(QLineEdit *box);
    void selectWholeText(QLineEdit *box);
    void forgetTyping(QLineEdit *box);
    void validateNumberBox(int index);
    void emptyNumberBoxQuietly(int index);
    void showMethod(Formula formula, int listIndex, const QString &ratioText, const QString &rangedRatio);
    void showReferenceSigmaL(const StudyCheck &check);

    // The undo history, the title and the unsaved mark (mainwindow_history.cpp).
    StudySnapshot snapshot() const;
    void restoreSnapshot(const StudySnapshot &target);
    void commitChange(const QString &text);
    void startHistory();
    void setStudyPath(const QString &path);
    void updateDocumentState();

    // Study files (mainwindow_files.cpp). Cancel, a refused file and a
    // failed write leave the study as it was; saveStudyFile is true when the
    // file was written.
    void restoreStudyFile(const QString &path);
    bool saveStudyFile();
    // What File > Save proposes: the study's own folder and name once it has
    // a file, otherwise "新規タイトル" in the dialogs' folder.
    QString proposedFolder() const;
    QString proposedFileName() const;
    bool confirmOpen();
    void finishOpen();
    void updateRecentMenu();
    // Where the open and save dialogs start (mainwindow_desktop.cpp).
    QString dialogFolder() const;
    void openStudyWhenFree(const QString &path);
    void takeFileDrag(QDropEvent *event);

    // Preview and printing (mainwindow_report.cpp).
    bool refuseReport();
    void showPreview(bool modal);
    QString proposedPdfPath() const;

    StudyRecord study_;

    std::array<QLineEdit *, NumberBoxCount> numberBoxes_{};
    std::array<QLineEdit *, NameCount> nameBoxes_{};
    QRadioButton *blighButton_ = nullptr;
    QRadioButton *laneButton_ = nullptr;
    QListWidget *soilClassList_ = nullptr;
    QTabWidget *tabs_ = nullptr;
    std::array<PileTab *, 2> pileTabs_{};  // by Section

    QLabel *memberTotalLabel_ = nullptr;
    QLabel *headDifferenceLabel_ = nullptr;
    QLabel *creepRatioCaption_ = nullptr;
    QLabel *formulaNumeratorLabel_ = nullptr;
    QPushButton *toVerticalButton_ = nullptr;

    QAction *newAction_ = nullptr;
    QAction *openAction_ = nullptr;
    QAction *saveAction_ = nullptr;
    QAction *previewAction_ = nullptr;
    QAction *reportSettingsAction_ = nullptr;
    QAction *printAction_ = nullptr;
    QAction *exitAction_ = nullptr;
    QMenu *recentMenu_ = nullptr;
    QAction *undoAction_ = nullptr;
    QAction *redoAction_ = nullptr;
    QAction *clearNumbersAction_ = nullptr;
    QAction *helpAction_ = nullptr;
    QAction *versionAction_ = nullptr;

    int currentTab_ = MethodTab;  // the tab change handling needs the tab that was left
    QLineEdit *focusedBox_ = nullptr;  // the box holding the focus, also while a message box is up
    QLineEdit *clickedBox_ = nullptr;  // a box just entered with the mouse
    std::optional<QString> restoredRatio_;  // while an open selects the ranged class
    QString lastStudyFolder_;  // of the study last opened or saved
    ReportSettings reportSettings_ = ReportSettings::load();
    QString studyPath_;        // the study's file once opened or saved; empty for a new study

    QUndoStack *history_ = nullptr;
    StudySnapshot committed_;  // the study as the history's current step left it
    int quietChanges_ = 0;     // above 0 while the program rewrites the study: handlers commit nothing
};

// The folder the file dialogs start in before any study was opened or saved:
// the program's folder when the user can write there (a copy kept in a
// personal folder), otherwise the user's documents folder.
QString firstStudyFolder(const QString &programFolder);

}  // namespace talven
