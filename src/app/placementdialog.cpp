#include "app/placementdialog.h"

#include "app/controls.h"
#include "app/studyboxes.h"
#include "app/titlewindow.h"
#include "check/pilespacing.h"
#include "dialogs/dialogservice.h"
#include "study/boxtable.h"
#include "study/numbers.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace talven {

namespace {

// A station is a distance along the structure, typed and checked as its
// dimensions are.
constexpr int StationRuleBox = boxGroup(BoxGroup::Dimensions).firstBox;

// An empty box is no value; any other its number.
std::optional<double> valueOf(const QLineEdit *box)
{
    if (box->text().trimmed().isEmpty())
        return std::nullopt;
    return leadingNumber(box->text());
}

QString textOf(const std::optional<double> &value)
{
    return value ? twoDecimals(*value) : QString();
}

// The cut-off's measures, each with its box's caption and object name.
struct DetailMeasure {
    std::optional<double> CutOffDetails::*value;
    const char16_t *caption;
    const char *name;
};

constexpr std::array<DetailMeasure, 3> DetailMeasures{{
    {&CutOffDetails::wallHeight, u"しゃ水壁の高さ (m)", "wallHeightBox"},
    {&CutOffDetails::wallWidth, u"しゃ水壁の幅 (m)", "wallWidthBox"},
    {&CutOffDetails::excavationWidth, u"掘削幅 (m)（函体の側面から掘削の端まで）", "excavationWidthBox"},
}};

}  // namespace

PlacementDialog::PlacementDialog(const Study &study, QWidget *parent) : QDialog(parent), study_(study)
{
    setObjectName(QStringLiteral("placementDialog"));
    setWindowTitle(applicationTitle() + QStringLiteral("・矢板の位置"));
    numberBoxes_ = new NumberBoxFilter(this);
    connect(numberBoxes_, &NumberBoxFilter::left, this, [](QLineEdit *box) {
        // Written back with two decimals when left, as the study's boxes are.
        if (!box->text().trimmed().isEmpty())
            box->setText(twoDecimals(leadingNumber(box->text())));
    });

    auto *note = new QLabel(QStringLiteral("鉛直方向の矢板の位置を、川表の端から函軸に沿った距離（0 ～ Ｌ ＝ %1 m）で"
                                           "入力します。空欄の矢板は位置なしとし、間隔の照査をしません。")
                                .arg(hundredthsText(seepageLength(study.record))));
    note->setWordWrap(true);
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("設置場所")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("長さ (m)")), 0, 1, Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("位置 (m)")), 0, 2, Qt::AlignRight);
    const PileLengths &lengths = pileLengths(study.record, Section::Vertical);
    for (int row = 0; row < PileCount; ++row) {
        grid->addWidget(new QLabel(verticalRowName(study.record, row)), row + 1, 0);
        auto *length = new QLabel(twoDecimals(lengths[row]));
        length->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(length, row + 1, 1);
        QLineEdit *box = newNumberEdit(StationRuleBox);
        box->setObjectName(QStringLiteral("stationBox(%1)").arg(row));
        box->setText(textOf(study.stations[std::size_t(row)]));
        numberBoxes_->watch(box, StationRuleBox);
        connect(box, &QLineEdit::textChanged, this, &PlacementDialog::showSpacing);
        stations_[std::size_t(row)] = box;
        grid->addWidget(box, row + 1, 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("函底高 (m)（水位と同じ基準。空欄可）")), PileCount + 1, 0, 1, 2);
    bottomLevel_ = newNumberEdit(OuterWaterLevelBox);
    bottomLevel_->setObjectName(QStringLiteral("bottomLevelBox"));
    bottomLevel_->setText(textOf(study.bottomLevel));
    numberBoxes_->watch(bottomLevel_, OuterWaterLevelBox);
    grid->addWidget(bottomLevel_, PileCount + 1, 2);

    spacing_ = new QLabel;
    spacing_->setObjectName(QStringLiteral("spacingLabel"));
    spacing_->setWordWrap(true);

    auto *buttons = new QDialogButtonBox;
    addAnswerButtons(this, buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(grid);
    layout->addWidget(spacing_);
    layout->addWidget(buildDetails(study.cutOff));
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(32, u'漢')));
    showSpacing();
}

// The design summary's inputs, each box empty where the study has none.
QWidget *PlacementDialog::buildDetails(const CutOffDetails &details)
{
    auto *group = new QGroupBox(QStringLiteral("設計調書（遮水工）の諸元（空欄可）"));
    auto *form = new QGridLayout(group);
    pileType_ = new QLineEdit(details.pileType);
    pileType_->setObjectName(QStringLiteral("pileTypeBox"));
    pileType_->setMaxLength(PileTypeMaxLength);
    pileType_->setPlaceholderText(QStringLiteral("例：鋼矢板Ⅲ型"));
    pileType_->setMinimumWidth(pileType_->fontMetrics().horizontalAdvance(QString(12, u'漢')));
    form->addWidget(new QLabel(QStringLiteral("矢板の型式")), 0, 0);
    form->addWidget(pileType_, 0, 1);
    for (std::size_t i = 0; i < DetailMeasures.size(); ++i) {
        const DetailMeasure &measure = DetailMeasures[i];
        QLineEdit *box = newNumberEdit(StationRuleBox);
        box->setObjectName(QLatin1StringView(measure.name));
        box->setText(textOf(details.*measure.value));
        numberBoxes_->watch(box, StationRuleBox);
        measures_[i] = box;
        form->addWidget(new QLabel(QString::fromUtf16(measure.caption)), int(i) + 1, 0);
        form->addWidget(box, int(i) + 1, 1, Qt::AlignLeft);
    }
    form->setColumnStretch(1, 1);
    return group;
}

QLineEdit *PlacementDialog::measureBox(std::optional<double> CutOffDetails::*measure) const
{
    for (std::size_t i = 0; i < DetailMeasures.size(); ++i) {
        if (DetailMeasures[i].value == measure)
            return measures_[i];
    }
    return nullptr;
}

StudyEdit PlacementDialog::placement() const
{
    std::array<std::optional<double>, PileCount> stations{};
    for (int row = 0; row < PileCount; ++row)
        stations[std::size_t(row)] = valueOf(stations_[std::size_t(row)]);
    CutOffDetails details{pileType_->text(), {}, {}, {}};
    for (std::size_t i = 0; i < DetailMeasures.size(); ++i)
        details.*DetailMeasures[i].value = valueOf(measures_[i]);
    StudyEdit edit = setPlacement(study_, stations, valueOf(bottomLevel_));
    if (edit.messages.empty())
        edit.append(setCutOffDetails(edit.study, details));
    return edit;
}

// The spacing rule of the stations as they stand, at every change.
void PlacementDialog::showSpacing()
{
    Study trial = study_;
    for (int row = 0; row < PileCount; ++row)
        trial.stations[std::size_t(row)] = valueOf(stations_[std::size_t(row)]);
    spacing_->setText(spacingLine(checkSpacing(trial), trial.record));
}

void PlacementDialog::accept()
{
    const StudyEdit edit = placement();
    if (!edit.messages.empty()) {
        showMessage(edit.messages.front());
        return;
    }
    QDialog::accept();
}

}  // namespace talven
