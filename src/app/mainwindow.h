#pragma once

// The main window of タルヴェン and how the program is put together.
//
//   study/    the one StudyRecord, number formats, soil-class tables, the
//             range rules of every box and the method code
//   check/    the totals L, ΔH and ΣL and the two creep-ratio checks
//   files/    the .vek study file: read, validate, write, restore
//   report/   the one-page report drawn on any ReportSurface (page image,
//             printer, PDF); no widgets, so talven-report uses it too
//   dialogs/  every message box, file and printer dialog, through one
//             service that tests replace
//   app/      start-up (main.cpp, commandline, singleinstance: one copy per
//             user, later launches hand their file over) and the windows:
//             this one (mainwindow.cpp behaviour, _layout controls, _report
//             preview, _desktop files from outside and the dialogs' folders),
//             the title, help and preview windows, printing
//   tools/    talven-report: one study or whole folders to PDFs and a table
//
// A keystroke in a number box: eventFilter() lets swallowsNumberKey() judge
// it, the box's textChanged runs onNumberEdited(), which hides the result
// lines it feeds and validateNumberBox() range-checks the text, stores the
// number in currentStudy() and updateTotals() rewrites L, ΔH and both ΣL.
// Leaving the box runs refreshBoxes(), which writes every number back with
// two decimals. "計算結果を見る" runs showResult(), which asks check/ for the
// ratio and the verdict and writes them into that section's ResultLine.

#include "check/creepcheck.h"
#include "report/drawreport.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"

#include <QMainWindow>

#include <array>
#include <optional>

class QAction;
class QCheckBox;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace talven {

// The labels of one section's result: the formula with its fraction, and
// the answer that a check writes and any change hides again.
struct ResultLine {
    QLabel *heading = nullptr;
    QLabel *lead = nullptr;  // "Ｃ´ ＝"
    QLabel *numerator = nullptr;
    QFrame *rule = nullptr;
    QLabel *denominator = nullptr;
    QLabel *equals = nullptr;
    QLabel *provided = nullptr;
    QLabel *sign = nullptr;
    QLabel *required = nullptr;
    QLabel *verdict = nullptr;

    std::array<QLabel *, 5> answer() const { return {equals, provided, sign, required, verdict}; }
};

// The main window: the whole study on three tabs, the menus and the
// navigation buttons. Constructing it loads an empty study; showing it is
// the caller's part.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum Tab { MethodTab, VerticalTab, HorizontalTab };

    MainWindow();
    ~MainWindow() override;

    QLineEdit *numberBox(int index) const { return numberBoxes_.at(index); }
    QLineEdit *nameBox(int index) const { return nameBoxes_.at(index); }
    QCheckBox *doubleTick(Section section, int row) const;
    QRadioButton *formulaButton(Formula formula) const;
    QListWidget *soilClassList() const { return soilClassList_; }
    QLineEdit *creepRatioBox() const { return numberBoxes_[CreepRatioBox]; }
    QTabWidget *tabs() const { return tabs_; }
    // L, ΔH, vertical ΣL, horizontal ΣL.
    std::array<QLabel *, 4> totalLabels() const;
    QLabel *creepRatioCaption() const { return creepRatioCaption_; }
    QLabel *formulaNumeratorLabel() const { return formulaNumeratorLabel_; }
    QLabel *referenceSigmaLLabel(Section section) const;
    const ResultLine &resultLine(Section section) const;

    QPushButton *toVerticalButton() const { return toVerticalButton_; }
    QPushButton *toHorizontalButton() const { return toHorizontalButton_; }
    QPushButton *backToVerticalButton() const { return backToVerticalButton_; }
    QPushButton *backToMethodButton() const { return backToMethodButton_; }
    QPushButton *previewButton() const { return previewButton_; }
    QPushButton *showResultButton(Section section) const;

    QAction *newAction() const { return newAction_; }
    QAction *openAction() const { return openAction_; }
    QAction *saveAction() const { return saveAction_; }
    QAction *previewAction() const { return previewAction_; }
    QAction *printAction() const { return printAction_; }
    QAction *exitAction() const { return exitAction_; }
    QAction *clearNumbersAction() const { return clearNumbersAction_; }
    QAction *helpAction() const { return helpAction_; }
    QAction *versionAction() const { return versionAction_; }

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
    void hideResults(int box);  // the result lines that number box feeds
    void setTabStopsForCurrentTab();

    // What the report reads: the record with the formula, class and x2 ticks
    // of the window.
    ReportInput currentReportInput() const;

    // The menu commands.
    void newStudy();
    void openStudy();
    void saveStudy();
    void printPreview();
    void printReport();
    void clearNumbers();
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
    bool isFileShortcut(const QKeyEvent &key) const;

    // Layout (mainwindow_layout.cpp).
    void createActions();
    void createMenus();
    void buildTabs();
    QWidget *buildMethodTab();
    struct PileTabParts;
    QWidget *buildPileTab(const PileTabParts &parts);
    QWidget *buildPileFrame(const QString &title, int firstName, int firstBox,
                            std::array<QCheckBox *, PileCount> &ticks, QLabel *&doubleHeader,
                            QLabel *&total);
    ResultLine createResultLine(const char *name);
    QWidget *buildResultArea(const ResultLine &line);
    QLineEdit *newNumberBox(int index);
    QLineEdit *newNameBox(int index);
    void connectControls();

    // Handlers.
    void resetControlsAndRecord(bool keepNames);
    void onTabChanged(int previousTab);
    void onFormulaSelected(Formula formula);
    void onSoilClassSelected();
    void onDoubleTickToggled(Section section, int row);
    void onNumberEdited(int index);
    void onNameEdited(int index);
    bool swallowsNumberKey(int index, const QKeyEvent &key);
    bool swallowsNameKey(int index, const QKeyEvent &key);
    void onNumberBoxLeft(int index);
    void onNameBoxLeft(int index);
    void onBoxEntered(QLineEdit *box);
    void selectWholeText(QLineEdit *box);
    void validateNumberBox(int index);
    void setRatioEditable(bool editable);
    // The x2 ticks of one section as the totals, the checks and the report read them.
    PileTicks ticks(Section section) const;
    bool confirmDiscard(const QString &caption);
    bool refuseReport();

    // True when a file was opened or written; Cancel, a refused file and a
    // failed write leave the study as it was.
    bool restoreStudyFile(const QString &path);
    bool saveStudyFile();
    bool confirmOpen();
    void finishOpen(bool opened);
    // Where the open and save dialogs start.
    QString dialogFolder() const;
    void openStudyWhenFree(const QString &path);
    void takeFileDrag(QDropEvent *event);
    void emptyNumberBoxQuietly(int index);

    // Preview (mainwindow_report.cpp).
    void showPreview(bool modal);

    std::array<QLineEdit *, NumberBoxCount> numberBoxes_{};
    std::array<QLineEdit *, NameCount> nameBoxes_{};
    std::array<QCheckBox *, PileCount> verticalDoubleTicks_{};
    std::array<QCheckBox *, PileCount> horizontalDoubleTicks_{};
    QRadioButton *blighButton_ = nullptr;
    QRadioButton *laneButton_ = nullptr;
    QListWidget *soilClassList_ = nullptr;
    QTabWidget *tabs_ = nullptr;

    QLabel *memberTotalLabel_ = nullptr;
    QLabel *headDifferenceLabel_ = nullptr;
    QLabel *verticalSigmaLLabel_ = nullptr;
    QLabel *horizontalSigmaLLabel_ = nullptr;
    QLabel *creepRatioCaption_ = nullptr;
    QLabel *formulaNumeratorLabel_ = nullptr;
    QLabel *verticalReferenceSigmaL_ = nullptr;
    QLabel *horizontalReferenceSigmaL_ = nullptr;
    ResultLine verticalResult_;
    ResultLine horizontalResult_;

    QPushButton *toVerticalButton_ = nullptr;
    QPushButton *toHorizontalButton_ = nullptr;
    QPushButton *backToVerticalButton_ = nullptr;
    QPushButton *backToMethodButton_ = nullptr;
    QPushButton *previewButton_ = nullptr;
    QPushButton *showVerticalResultButton_ = nullptr;
    QPushButton *showHorizontalResultButton_ = nullptr;

    QAction *newAction_ = nullptr;
    QAction *openAction_ = nullptr;
    QAction *saveAction_ = nullptr;
    QAction *previewAction_ = nullptr;
    QAction *printAction_ = nullptr;
    QAction *exitAction_ = nullptr;
    QAction *clearNumbersAction_ = nullptr;
    QAction *helpAction_ = nullptr;
    QAction *versionAction_ = nullptr;

    int currentTab_ = MethodTab;  // the tab change handling needs the tab that was left
    QLineEdit *focusedBox_ = nullptr;  // the box holding the focus, also while a message box is up
    QLineEdit *clickedBox_ = nullptr;  // a box just entered with the mouse
    std::optional<QString> restoredRatio_;  // while an open selects the ranged class
    QString lastStudyFolder_;  // of the study last opened or saved
};

// The folder the file dialogs start in before any study was opened or saved:
// the program's folder when the user can write there (a copy kept in a
// personal folder), otherwise the user's documents folder.
QString firstStudyFolder(const QString &programFolder);

}  // namespace talven
