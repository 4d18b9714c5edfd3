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
    layout->addStretch(1);
    layout->addWidget(buttons);
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(32, u'漢')));
    showSpacing();
}

StudyEdit PlacementDialog::placement() const
{
    std::array<std::optional<double>, PileCount> stations{};
    for (int row = 0; row < PileCount; ++row)
        stations[std::size_t(row)] = valueOf(stations_[std::size_t(row)]);
    return setPlacement(study_, stations, valueOf(bottomLevel_));
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
