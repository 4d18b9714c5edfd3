#pragma once

// The main window of タルヴェン and how the program is put together.
//
//   study/      the Study value (study.h): the record, formula, soil class and
//               the boxes' texts, and every edit as a function of it; the
//               table of the number boxes and their range rules, number
//               formats, soil classes, the method code, the undo history
//   check/      checkStudy(): the one check of a study (L, ΔH, both ΣL, both
//               verdicts, readiness, design figures) that every view formats
//   files/      the .vek study file (readStudy, one way to open a file for
//               every reader) and the user's settings (the page's options
//               among them, owned by this window)
//   report/     ReportDocument: the report made once from a study and the
//               page's options, its pages drawn on any ReportSurface; no
//               widgets, so talven-report uses it too
//   reporttool/ talven-report's work: studies and folders to PDFs and tables
//   dialogs/    every message box, file and printer dialog, through one
//               service that tests replace
//   app/        start-up (main.cpp, commandline, singleinstance) and the
//               windows: this one (mainwindow.cpp its commands,
//               mainwindow_study.cpp the edits and showing the study,
//               mainwindow_actions.cpp the menus, mainwindow_desktop.cpp files
//               from outside), its parts StudyDocument (file, history, saved
//               state), StudyBoxes (the boxes, their keys and focus), MethodPage
//               and PileTab, and the title, help and preview windows
//   tools/      the talven-report program
//
// A keystroke in a number box: StudyBoxes lets the key through, the box's
// text change reaches onNumberEdited(), which hands the study and the text to
// writeNumberBox(); the edited study goes to the document, whose change
// redraws the window from the value (showStudy: texts, totals from
// checkStudy(), result lines hidden where their inputs changed). Leaving the
// box runs refreshBoxes() and commits the typing as one undo step.
// "計算結果を見る" hands checkStudy() to that section's PileTab; the status
// line under the tabs shows statusLineText() of every study shown.

#include "app/printreport.h"
#include "files/usersettings.h"
#include "study/study.h"

#include <QMainWindow>

#include <array>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;

namespace talven {

enum class ProposalWay;
class MethodPage;
class PileTab;
class StudyBoxes;
class StudyDocument;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    enum Tab { MethodTab, VerticalTab, HorizontalTab };
    // The pile tabs follow the first in section order.
    static constexpr Tab tabOf(std::optional<Section> section)
    {
        return section ? Tab(VerticalTab + int(*section)) : MethodTab;
    }

    MainWindow();
    ~MainWindow() override;

    StudyDocument &document() const { return *document_; }
    // The report of the study with the page's options, as the preview and
    // printing draw it.
    ReportDocument reportDocument() const;
    // The user's settings: the title block a new study starts with, the
    // page's options and the studies opened or saved last.
    const UserSettings &settings() const { return settings_; }
    // File > Open with the file already chosen: named on the command line,
    // handed over by a later launch or dropped on the window.
    void openStudyFile(const QString &path);
    // A later launch's file: the window comes to the front and opens it.
    void openHandedOverStudy(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The commands (mainwindow.cpp).
    void newStudy();
    void openStudy();
    bool saveStudy();  // 上書き保存: true once the study is written
    void saveStudyAs();
    void editReportSettings();
    void printPreview();
    void printReport();
    void showPreview(bool modal);
    void clearNumbers();
    void showHelp();
    void showVersion();
    void stepHistory(bool back);  // 元に戻す (true) and やり直し
    bool confirmDiscard(const QString &caption);
    bool confirmExit();
    bool refuseReport();
    void restoreStudyFile(const QString &path);
    Study withTitleBlock(Study study) const;
    void rememberStudy(const QString &path);
    void forgetRecentStudy(const QString &path);
    // What cannot be kept costs only the next run's defaults, so it is said
    // on standard error.
    void saveSettings();
    void createActions();  // mainwindow_actions.cpp
    void updateRecentMenu();

    // The study's edits and how the window shows it (mainwindow_study.cpp).
    void buildTabs();
    void connectStudy();
    void apply(const StudyEdit &edit, const QString &step);
    void onNumberEdited(int box);
    void onNumberBoxLeft(int box);
    void onFormulaChosen(Formula formula);
    void onSoilClassChosen(int soilClass);
    void onTabChanged(int previousTab);
    void showStudy();
    void hideAllResults();
    void updateDocumentState();
    void proposePileLengths(Section section);
    void editCases();
    void placePiles();

    // Files from outside (mainwindow_desktop.cpp).
    void openStudyWhenFree(const QString &path);
    void takeFileDrag(QDropEvent *event);

    PileTab *pileTab(Section section) const { return pileTabs_[std::size_t(section)]; }

    UserSettings settings_ = UserSettings::load();
    StudyDocument *document_ = nullptr;
    StudyBoxes *boxes_ = nullptr;
    QTabWidget *tabs_ = nullptr;
    MethodPage *methodPage_ = nullptr;
    std::array<PileTab *, 2> pileTabs_{};  // by Section
    QLabel *statusLine_ = nullptr;         // under the tabs: the verdicts, always current
    std::array<ProposalWay, 2> proposalWays_{};  // by Section: the way last chosen in this run
    QAction *undoAction_ = nullptr;
    QAction *redoAction_ = nullptr;
    QMenu *recentMenu_ = nullptr;

    Study shown_;              // the study as the window shows it
    int showing_ = 0;          // above 0 while the window writes its controls: not the user's edits
    int currentTab_ = MethodTab;  // the tab change handling needs the tab that was left
};

}  // namespace talven
