#pragma once

#include "report/drawreport.h"
#include "study/soilclasses.h"
#include "study/studyrecord.h"

#include <QMainWindow>

#include <array>
#include <optional>
#include <span>

class QAction;
class QCheckBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace talven {

class ExampleFigure;

// The main window: the whole study on three tabs, the menus and the
// navigation buttons. Constructing it runs Form_Load; showing it is the
// caller's part.
class Form4 : public QMainWindow {
    Q_OBJECT
public:
    Form4();
    ~Form4() override;

    // The controls, by the indices the rest of the program uses.
    QLineEdit *Text1(int index) const { return text1_.at(index); }
    QLineEdit *Text2(int index) const { return text2_.at(index); }
    QCheckBox *Check1(int index) const { return check1_.at(index); }
    QCheckBox *Check2(int index) const { return check2_.at(index); }
    QRadioButton *Option1(int index) const { return option1_.at(index); }
    QPushButton *Command3(int index) const { return command3_.at(index); }
    QListWidget *List1() const { return list1_; }
    QTabWidget *SSTab1() const { return sstab1_; }
    QLabel *Label2(int index) const { return label2_.at(index); }
    QLabel *Label3(int index) const { return label3_.at(index); }
    QLabel *Label4(int index) const { return label4_.at(index); }  // nullptr for 0 and 2
    QLabel *Label8(int index) const { return label8_.at(index); }
    QLabel *Label12() const { return label12_; }
    QLabel *Label24() const { return label24_; }
    QLabel *Label25() const { return label25_; }
    QFrame *Line4(int index) const { return line4_.at(index); }  // 0 vertical, 5 horizontal
    QAction *m11(int index) const { return m11_.at(index); }  // 1 ... 9
    QAction *m21() const { return m21_; }
    QAction *m41(int index) const { return m41_.at(index); }

    // The window-held part of the study.
    Formula SelectedFormula() const;
    int ListIndex() const;  // -1 when no soil class is selected
    bool RatioEditable() const;

    // Selecting a formula from code always runs the formula selection, even
    // when that formula is already selected.
    void SelectFormula(Formula formula);
    void SetListIndex(int index);

    void ResetStudy(bool keepNames);
    void RefreshFields();
    void UpdateTotals();
    void CheckVertical();
    void CheckHorizontal();
    void HideResults(int index);
    void SetTabStopsForCurrentTab();

    // What the report reads: the record with the formula, class and x2 ticks
    // of the window.
    ReportInput CurrentReportInput() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    int Twips(int twips) const;  // 1440 to the inch
    bool IsFileShortcut(const QKeyEvent &key) const;

    // Layout (form4_layout.cpp).
    void BuildMenus();
    void BuildTabs();
    QWidget *BuildMethodTab();
    struct PileTabParts;
    QWidget *BuildPileTab(const PileTabParts &parts);
    QWidget *BuildPileFrame(const QString &title, int firstName, int firstBox,
                            std::array<QCheckBox *, PileCount> &ticks, QLabel *&doubleHeader,
                            QLabel *&total);
    void CreateResultLabels();
    QWidget *BuildResultLine(QLabel *heading, std::span<QLabel *const, 10> block, QFrame *rule);
    QLineEdit *NewNumberBox(int index);
    QLineEdit *NewNameBox(int index);
    void ConnectControls();

    // Handlers.
    void Form_Load();
    void ResetControlsAndRecord(bool keepNames);
    void m11_Click(int index);
    void m21_Click();
    void m41_Click(int index);
    void Command3_Click(int index);
    void SSTab1_Click(int previousTab);
    void Option1_Click(int index);
    void List1_Click();
    void Check1_Click(int index);
    void Check2_Click(int index);
    void Text1_Change(int index);
    void Text2_Change(int index);
    bool Text1_KeyPress(int index, const QKeyEvent &key);
    bool Text2_KeyPress(int index, const QKeyEvent &key);
    void Text1_LostFocus(int index);
    void Text2_LostFocus(int index);
    void BoxGotFocus(QLineEdit *box);
    void SelectWholeText(QLineEdit *box);
    void ValidateField(int index);
    void SetRatioEditable(bool editable);
    // The x2 ticks of one section as the totals, the checks and the report read them.
    static PileTicks Ticks(const std::array<QCheckBox *, PileCount> &boxes);
    void ShowSectionResult(std::span<QLabel *const, 10> block, double sigmaL);
    bool ConfirmDiscard(const QString &caption);
    bool RefuseReport();

    // True when a file was opened or written; Cancel, a refused file and a
    // failed write leave the study as it was.
    bool OpenStudy();
    bool SaveStudy();
    void EmptyNumberBoxQuietly(int index);

    // Preview and printing (form4_report.cpp).
    void ShowPreview(bool modal);
    void PrintReport();

    std::array<QLineEdit *, NumberBoxCount> text1_{};
    std::array<QLineEdit *, NameCount> text2_{};
    std::array<QCheckBox *, PileCount> check1_{};
    std::array<QCheckBox *, PileCount> check2_{};
    std::array<QRadioButton *, 2> option1_{};
    std::array<QPushButton *, 7> command3_{};
    std::array<QLabel *, 4> label2_{};
    std::array<QLabel *, 11> label3_{};
    std::array<QLabel *, 10> label4_{};
    std::array<QLabel *, 2> label8_{};
    std::array<QFrame *, 6> line4_{};
    std::array<ExampleFigure *, 3> picture1_{};
    std::array<QAction *, 10> m11_{};
    std::array<QAction *, 3> m41_{};
    QAction *m21_ = nullptr;
    QLabel *label12_ = nullptr;
    QLabel *label24_ = nullptr;
    QLabel *label25_ = nullptr;
    QListWidget *list1_ = nullptr;
    QTabWidget *sstab1_ = nullptr;
    int currentTab_ = 0;  // the tab change handling needs the tab that was left
    QLineEdit *focusedBox_ = nullptr;  // the box holding the focus, also while a message box is up
    QLineEdit *clickedBox_ = nullptr;  // a box just entered with the mouse
    std::optional<QString> restoredRatio_;  // while an open selects the ranged class
};

}  // namespace talven
