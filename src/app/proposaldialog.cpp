#include "app/proposaldialog.h"

#include "app/controls.h"
#include "app/titlewindow.h"
#include "study/boxtable.h"
#include "study/numbers.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace talven {

namespace {

constexpr int StepsCentimetres[] = {10, 50, 100};
constexpr int DefaultStep = 1;  // 0.5 m

QString rowName(const StudyRecord &record, Section section, int row)
{
    const QString name = trimmedName(record.names[pileNameBox(section, row)]);
    const QString number = QStringLiteral("%1 行目").arg(row + 1);
    return name.isEmpty() ? number : number + QStringLiteral("　") + name;
}

QString change(double now, double proposed)
{
    return twoDecimals(now) + QStringLiteral(" → ") + twoDecimals(proposed);
}

}  // namespace

ProposalDialog::ProposalDialog(const Study &input, Section section, ProposalWay way, QWidget *parent)
    : QDialog(parent), input_(input), section_(section), rowsInUse_(rowsInUse(input.record, section))
{
    setObjectName(QStringLiteral("proposalDialog"));
    setWindowTitle(applicationTitle() + QStringLiteral("・矢板長の提案"));

    step_ = new QComboBox;
    step_->setObjectName(QStringLiteral("proposalStep"));
    for (int step : StepsCentimetres)
        step_->addItem(twoDecimals(step / 100.0).chopped(1) + QStringLiteral(" m"), step);
    step_->setCurrentIndex(DefaultStep);

    auto *wayBox = new QGroupBox(QStringLiteral("長くする矢板"));
    auto *wayLayout = new QVBoxLayout(wayBox);
    ways_ = new QButtonGroup(this);
    const std::pair<ProposalWay, QString> ways[] = {
        {ProposalWay::InOrder, QStringLiteral("川表側から順に")},
        {ProposalWay::AllAlike, QStringLiteral("すべての矢板を同じだけ")},
        {ProposalWay::OneRow, QStringLiteral("選んだ矢板だけ")}};
    for (const auto &[each, text] : ways) {
        auto *button = new QRadioButton(text);
        ways_->addButton(button, int(each));
        wayLayout->addWidget(button);
    }
    ways_->button(int(way))->setChecked(true);
    row_ = new QComboBox;
    row_->setObjectName(QStringLiteral("proposalRow"));
    for (int row = 0; row < PileCount; ++row)
        row_->addItem(rowName(input.record, section, row), row);
    row_->setCurrentIndex(rowsInUse_.front());
    auto *rowLine = new QHBoxLayout;
    rowLine->addSpacing(24);
    rowLine->addWidget(row_, 1);
    wayLayout->addLayout(rowLine);

    longest_ = new QDoubleSpinBox;
    longest_->setObjectName(QStringLiteral("proposalLongestPile"));
    longest_->setDecimals(2);
    longest_->setRange(0.0, pileGroup(section).maximum);
    longest_->setValue(pileGroup(section).maximum);
    longest_->setSuffix(QStringLiteral(" m"));

    auto *choices = new QFormLayout;
    choices->addRow(QStringLiteral("追加する長さの単位"), step_);
    choices->addRow(QStringLiteral("矢板 1 本の最大長"), longest_);

    table_ = new QTableWidget(0, 4);
    table_->setObjectName(QStringLiteral("proposalTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("設置場所"), QStringLiteral("打設長 (m)"),
                                       QStringLiteral("×2"), QStringLiteral("経路長 (m)")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);

    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("proposalSummary"));
    summary_->setWordWrap(true);

    auto *buttons = new QDialogButtonBox;
    apply_ = addAnswerButtons(this, buttons, QStringLiteral("適用"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(sectionName(section) + QStringLiteral("の矢板長を、照査がＯＫになる最小の長さにします。")));
    layout->addLayout(choices);
    layout->addWidget(wayBox);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    // Wide enough for the summary's lines without wrapping.
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(36, u'漢')));

    connect(step_, &QComboBox::currentIndexChanged, this, &ProposalDialog::propose);
    connect(ways_, &QButtonGroup::idClicked, this, &ProposalDialog::propose);
    connect(row_, &QComboBox::currentIndexChanged, this, &ProposalDialog::propose);
    connect(longest_, &QDoubleSpinBox::valueChanged, this, &ProposalDialog::propose);
    propose();
}

ProposalOptions ProposalDialog::options() const
{
    return {step_->currentData().toInt(), ProposalWay(ways_->checkedId()), row_->currentData().toInt(),
            longest_->value()};
}

void ProposalDialog::propose()
{
    const ProposalOptions chosen = options();
    row_->setEnabled(chosen.way == ProposalWay::OneRow);
    proposal_ = proposePileLengths(input_, section_, chosen);
    showTable();
    summary_->setText(summaryText());
    apply_->setEnabled(proposal_.outcome == ProposalOutcome::Proposed);
}

// The rows in use, and any other row the proposal lengthens.
void ProposalDialog::showTable()
{
    const PileLengths &now = pileLengths(input_.record, section_);
    const PileTicks &ticks = input_.ticks(section_);
    std::vector<int> rows = rowsInUse_;
    for (int row = 0; row < PileCount; ++row) {
        if (proposal_.lengths[row] != now[row] && std::find(rows.begin(), rows.end(), row) == rows.end())
            rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    table_->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const int row = rows[i];
        const double factor = ticks[row] ? 2.0 : 1.0;
        const QStringList cells{rowName(input_.record, section_, row), change(now[row], proposal_.lengths[row]),
                                ticks[row] ? QStringLiteral("○") : QString(),
                                change(factor * now[row], factor * proposal_.lengths[row])};
        for (int column = 0; column < int(cells.size()); ++column) {
            auto *item = new QTableWidgetItem(cells[column]);
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
            table_->setItem(i, column, item);
        }
    }
}

QString ProposalDialog::summaryText() const
{
    const SectionCheck &section = proposal_.check.section(section_);
    switch (proposal_.outcome) {
    case ProposalOutcome::AlreadyOk:
        return QStringLiteral("この断面はすでにＯＫです（ΣL の%1）。提案はありません。").arg(section.marginLabel());
    case ProposalOutcome::OutOfReach:
        // Held back by the spacing of the lines, the rule says where the limit came from.
        if (proposal_.spacingLimited)
            return spacingLimitedLines(input_, proposal_).join(QStringLiteral("。\n")) + QStringLiteral("。");
        return QStringLiteral("最大長までの矢板ではＯＫになりません。ΣL があと %1 m 不足します。")
            .arg(twoDecimals(proposal_.missing));
    case ProposalOutcome::Proposed:
        break;
    }
    const SectionVerdict &verdict = *section.verdict;
    return QStringLiteral("提案後　ΣL = %1 m　Ｃ′= %2 %3 Ｃ = %4 ・・・ＯＫ\n追加する打設長の合計 %5 m")
               .arg(section.sigmaLText, verdict.provided, verdict.relation(), proposal_.check.requiredShown,
                    twoDecimals(proposal_.added))
           + (proposal_.spacingUnchecked ? QStringLiteral("\n") + uncheckedSpacingNote() + QStringLiteral("。") : QString());
}

}  // namespace talven
