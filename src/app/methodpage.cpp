#include "app/methodpage.h"

#include "app/controls.h"
#include "app/studyboxes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace talven {

namespace {

// A group's rows under a header row: name box, then its number box. Returns
// the row below them.
int addRows(StudyBoxes &boxes, QGridLayout *grid, const BoxGroupInfo &group)
{
    for (int row = 0; row < group.count; ++row) {
        grid->addWidget(boxes.makeNameBox(group.firstName + row), row + 1, 0);
        grid->addWidget(boxes.makeNumberBox(group.firstBox + row), row + 1, 1, Qt::AlignRight);
    }
    return group.count + 1;
}

// A frame of a first-tab group: its header row, its rows and the total
// under them.
QGroupBox *groupFrame(StudyBoxes &boxes, const QString &title, const char *name, const BoxGroupInfo &group,
                      const QString &nameHeader, const QString &valueHeader, const QString &totalCaption,
                      QLabel *total)
{
    auto *frame = new QGroupBox(title);
    frame->setObjectName(QLatin1StringView(name));
    auto *layout = new QGridLayout(frame);
    layout->addWidget(newLabel(nameHeader), 0, 0);
    layout->addWidget(newLabel(valueHeader), 0, 1, Qt::AlignRight);
    const int totalRow = addRows(boxes, layout, group);
    layout->addWidget(newLabel(totalCaption), totalRow, 0, Qt::AlignRight);
    layout->addWidget(total, totalRow, 1);
    return frame;
}

}  // namespace

MethodPage::MethodPage(StudyBoxes &boxes)
{
    QWidget *formulaFrame = buildFormulaFrame();
    memberTotalLabel_ = valueLabel("memberTotalLabel");
    QGroupBox *shapeFrame = groupFrame(boxes, QStringLiteral("形状寸法"), "dimensionFrame", boxGroup(BoxGroup::Dimensions),
                                       QStringLiteral("部材名称"), QStringLiteral("寸法 (m)"), QStringLiteral("Ｌ = "),
                                       memberTotalLabel_);
    headDifferenceLabel_ = valueLabel("headDifferenceLabel");
    QGroupBox *levelFrame = groupFrame(boxes, QStringLiteral("水位差"), "waterLevelFrame", boxGroup(BoxGroup::WaterLevels),
                                       QStringLiteral("水位名称"), QStringLiteral("( EL = )"), QStringLiteral("⊿H　="),
                                       headDifferenceLabel_);
    // The water-level cases open from the ⊿H row's free left part: a link
    // as high as the row's text, so that nothing on the tab moves.
    casesLink_ = newLabel(QString(), "caseLink");
    casesLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    casesLink_->setToolTip(QStringLiteral("水位ケース（計画高水位時、施工時など）を編集します"));
    connect(casesLink_, &QLabel::linkActivated, this, &MethodPage::casesRequested);
    auto *levelGrid = static_cast<QGridLayout *>(levelFrame->layout());
    levelGrid->addWidget(casesLink_, levelGrid->rowCount() - 1, 0, Qt::AlignLeft);
    governingNote_ = newLabel(QString(), "governingNote");
    governingNote_->setWordWrap(true);
    governingNote_->hide();
    levelGrid->addWidget(governingNote_, levelGrid->rowCount(), 0, 1, 2);

    // The soil class and the creep ratio.
    auto *soil = new QGridLayout;
    auto *soilCaption = newLabel(QStringLiteral("土質の区分"), "soilClassCaption");
    soilClassList_ = new QListWidget;
    soilClassList_->setObjectName(QStringLiteral("soilClassList"));
    soilClassList_->setSelectionMode(QAbstractItemView::SingleSelection);
    creepRatioCaption_ = newLabel(QString(), "creepRatioCaption");
    soil->addWidget(soilCaption, 0, 0, 1, 2);
    soil->addWidget(inWholeRows(soilClassList_, 4), 1, 0, 1, 2);
    soil->addWidget(creepRatioCaption_, 2, 0, Qt::AlignRight);
    soil->addWidget(boxes.makeNumberBox(CreepRatioBox), 2, 1);
    soil->setColumnStretch(0, 1);
    soil->setRowStretch(1, 1);

    auto *figureCaption = newLabel(QStringLiteral("形状寸法・水位差(樋門の例)"), "methodFigureCaption");
    nextButton_ = newButton(QStringLiteral("次へ"), "toVerticalButton");

    auto *left = new QVBoxLayout;
    left->addWidget(formulaFrame);
    left->addWidget(shapeFrame);
    left->addWidget(levelFrame);
    left->addStretch(1);

    auto *right = new QVBoxLayout;
    right->addWidget(figureWithCaption(figureCaption, newFigure(ExampleFigure::Drawing::Method, "methodFigure")), 3);
    right->addLayout(soil, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(nextButton_);
    right->addLayout(buttons);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    for (Formula formula : {Formula::Bligh, Formula::Lane}) {
        QRadioButton *button = formula == Formula::Bligh ? blighButton_ : laneButton_;
        connect(button, &QRadioButton::toggled, this, [this, formula](bool checked) {
            if (checked)
                Q_EMIT formulaChosen(formula);
        });
    }
    connect(soilClassList_, &QListWidget::itemSelectionChanged, this,
            [this] { Q_EMIT soilClassChosen(selectedClass()); });
}

QWidget *MethodPage::buildFormulaFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("検討に使う計算式"));
    frame->setObjectName(QStringLiteral("formulaFrame"));
    auto *layout = new QGridLayout(frame);
    blighButton_ = new QRadioButton(formulaName(Formula::Bligh));
    blighButton_->setObjectName(QStringLiteral("blighButton"));
    laneButton_ = new QRadioButton(formulaName(Formula::Lane));
    laneButton_->setObjectName(QStringLiteral("laneButton"));
    layout->addWidget(blighButton_, 0, 0, Qt::AlignLeft);
    layout->addWidget(laneButton_, 1, 0, Qt::AlignLeft);
    formulaNumeratorLabel_ = newLabel(QString(), "formulaNumeratorLabel");
    formulaNumeratorLabel_->setAlignment(Qt::AlignCenter);
    auto *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Plain);
    auto *denominator = newLabel(QStringLiteral("⊿H"));
    denominator->setAlignment(Qt::AlignCenter);
    auto *lead = newLabel(QStringLiteral("Ｃ ≦"));
    lead->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *fraction = new QVBoxLayout;
    fraction->setSpacing(1);
    fraction->addWidget(formulaNumeratorLabel_);
    fraction->addWidget(rule);
    fraction->addWidget(denominator);
    layout->addWidget(lead, 0, 1, 2, 1);
    layout->addLayout(fraction, 0, 2, 2, 1);
    layout->setColumnStretch(0, 1);
    return frame;
}

int MethodPage::selectedClass() const
{
    const QList<QListWidgetItem *> selected = soilClassList_->selectedItems();
    return selected.isEmpty() ? -1 : soilClassList_->row(selected.front());
}

void MethodPage::show(const Study &study)
{
    const QSignalBlocker quietBligh(blighButton_);
    const QSignalBlocker quietLane(laneButton_);
    const QSignalBlocker quietList(soilClassList_);
    (study.formula == Formula::Bligh ? blighButton_ : laneButton_)->setChecked(true);
    if (listedFormula_ != study.formula) {
        soilClassList_->clear();
        for (const SoilClass &soil : soilClasses(study.formula))
            soilClassList_->addItem(QString::fromUtf16(soil.listText));
        listedFormula_ = study.formula;
        formulaNumeratorLabel_->setText(numeratorCaption(study.formula));
        creepRatioCaption_->setText(ratioCaption(study.formula));
    }
    casesLink_->setText(QStringLiteral("<a href=\"cases\">ケース(%1)…</a>").arg(study.caseCount()));
    if (selectedClass() != study.soilClass) {
        if (study.soilClass < 0) {
            soilClassList_->clearSelection();
            soilClassList_->setCurrentItem(nullptr, QItemSelectionModel::NoUpdate);
        } else {
            soilClassList_->setCurrentRow(study.soilClass, QItemSelectionModel::ClearAndSelect);
        }
    }
}

void MethodPage::showTotals(const StudyCheck &check)
{
    memberTotalLabel_->setText(check.structureLengthText);
    // The frame's own WL1 and WL2: case 1's, whichever case governs, shown
    // with its sign, since the first tab's levels may not stand the other
    // way round.
    const CaseCheck &first = check.cases.front();
    headDifferenceLabel_->setText(first.reversed ? u'-' + first.headDifferenceText : first.headDifferenceText);
    const bool several = check.cases.size() > 1;
    governingNote_->setText(several ? QStringLiteral("⊿H は%1の値。支配ケース：◎%2（⊿H = %3 m%4）")
                                          .arg(first.shownName(0), check.governingCase().shownName(check.governing),
                                               check.governingCase().headDifferenceText,
                                               check.governingCase().reversed ? QStringLiteral("、逆水位") : QString())
                                    : QString());
    governingNote_->setVisible(several);
}

void MethodPage::leaveTabOrder()
{
    blighButton_->setFocusPolicy(Qt::ClickFocus);
    laneButton_->setFocusPolicy(Qt::ClickFocus);
}

}  // namespace talven
