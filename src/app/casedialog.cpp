#include "app/casedialog.h"

#include "app/controls.h"
#include "app/studyboxes.h"
#include "app/titlewindow.h"
#include "dialogs/dialogservice.h"
#include "study/numbers.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace talven {

namespace {

enum Column { NameColumn, OuterColumn, InnerColumn, HeadColumn, RemoveColumn };

QLabel *header(const QString &text, Qt::Alignment alignment)
{
    auto *label = new QLabel(text);
    label->setAlignment(alignment);
    return label;
}

}  // namespace

CaseDialog::CaseDialog(const Study &study, QWidget *parent)
    : QDialog(parent), study_(study), cases_(study.moreCases)
{
    setObjectName(QStringLiteral("caseDialog"));
    setWindowTitle(applicationTitle() + QStringLiteral("・水位ケース"));

    auto *note = new QLabel(QStringLiteral("ケース 1 の水位は「水位差」の欄の外水位と内水位です。照査は ⊿H が最大の"
                                           "ケース（支配ケース）で行い、どのケースも帳票に載ります。"));
    note->setWordWrap(true);
    rows_ = new QWidget;
    grid_ = new QGridLayout(rows_);
    grid_->setContentsMargins(0, 0, 0, 0);

    add_ = new QPushButton(QStringLiteral("ケースを追加"));
    add_->setObjectName(QStringLiteral("addCaseButton"));
    connect(add_, &QPushButton::clicked, this, &CaseDialog::addCase);

    auto *buttons = new QDialogButtonBox;
    addAnswerButtons(this, buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(rows_);
    layout->addWidget(add_, 0, Qt::AlignLeft);
    layout->addStretch(1);
    layout->addWidget(buttons);
    buildRows();
    names_.front()->setText(study.firstCaseName);
}

QString CaseDialog::firstCaseName() const
{
    return names_.front()->text().trimmed();
}

QLineEdit *CaseDialog::levelBox(int index, Level level) const
{
    return levels_.at(std::size_t(index - 1))[level == Level::Outer ? 0 : 1];
}

// The rows again from the cases: after a case is added or removed.
void CaseDialog::buildRows()
{
    const QString firstName = names_.empty() ? study_.firstCaseName : names_.front()->text();
    while (QLayoutItem *item = grid_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    names_.clear();
    levels_.clear();
    heads_.clear();
    removes_.clear();

    grid_->addWidget(header(QStringLiteral("ケース名"), Qt::AlignLeft), 0, NameColumn);
    grid_->addWidget(header(QStringLiteral("WL1 (m)"), Qt::AlignRight), 0, OuterColumn);
    grid_->addWidget(header(QStringLiteral("WL2 (m)"), Qt::AlignRight), 0, InnerColumn);
    grid_->addWidget(header(QStringLiteral("⊿H (m)"), Qt::AlignRight), 0, HeadColumn);
    for (int index = 0; index < 1 + int(cases_.size()); ++index) {
        const int row = index + 1;
        auto *name = new QLineEdit(index == 0 ? firstName : cases_[std::size_t(index - 1)].name);
        name->setObjectName(QStringLiteral("caseName(%1)").arg(index));
        name->setMaxLength(CaseNameMaxLength);
        name->setPlaceholderText(QStringLiteral("ケース%1").arg(index + 1));
        name->setMinimumWidth(name->fontMetrics().horizontalAdvance(QString(12, u'漢')));
        if (index > 0) {
            connect(name, &QLineEdit::textEdited, this,
                    [this, index](const QString &text) { cases_[std::size_t(index - 1)].name = text.trimmed(); });
        }
        names_.push_back(name);
        grid_->addWidget(name, row, NameColumn);
        auto *head = new QLabel;
        head->setObjectName(QStringLiteral("caseHead(%1)").arg(index));
        head->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        heads_.push_back(head);
        grid_->addWidget(head, row, HeadColumn);
        if (index == 0) {
            const WaterLevelCase first = study_.levelCase(0);
            grid_->addWidget(header(twoDecimals(first.outer), Qt::AlignRight | Qt::AlignVCenter), row, OuterColumn);
            grid_->addWidget(header(twoDecimals(first.inner), Qt::AlignRight | Qt::AlignVCenter), row, InnerColumn);
            showHeadDifference(0);
            continue;
        }
        std::array<QLineEdit *, 2> boxes{};
        for (const Level level : {Level::Outer, Level::Inner}) {
            QLineEdit *box = newNumberEdit(OuterWaterLevelBox);
            box->setObjectName(QStringLiteral("caseLevel(%1,%2)").arg(index).arg(level == Level::Outer ? 1 : 2));
            const WaterLevelCase &levelCase = cases_[std::size_t(index - 1)];
            box->setText(level == Level::Outer ? levelCase.outerText : levelCase.innerText);
            box->installEventFilter(this);
            connect(box, &QLineEdit::textEdited, this, [this, index, level] { onLevelEdited(index, level); });
            boxes[level == Level::Outer ? 0 : 1] = box;
            grid_->addWidget(box, row, level == Level::Outer ? OuterColumn : InnerColumn);
        }
        levels_.push_back(boxes);
        auto *remove = new QPushButton(QStringLiteral("削除"));
        remove->setObjectName(QStringLiteral("removeCaseButton(%1)").arg(index));
        connect(remove, &QPushButton::clicked, this, [this, index] { removeCase(index); });
        removes_.push_back(remove);
        grid_->addWidget(remove, row, RemoveColumn);
        showHeadDifference(index);
    }
    add_->setEnabled(1 + int(cases_.size()) < CaseLimit);
}

void CaseDialog::addCase()
{
    cases_.push_back(refreshCaseLevels({}));
    buildRows();
    names_.back()->setFocus();
}

void CaseDialog::removeCase(int index)
{
    cases_.erase(cases_.begin() + (index - 1));
    buildRows();
}

// Checked on every change, as the first tab's boxes are: a refused level
// empties its box.
void CaseDialog::onLevelEdited(int index, Level level)
{
    QLineEdit *box = levelBox(index, level);
    WaterLevelCase &levelCase = cases_[std::size_t(index - 1)];
    const CaseLevelEdit edit = writeCaseLevel(levelCase, level, box->text());
    if (edit.message)
        showMessage(*edit.message);
    levelCase = edit.levelCase;
    const QString shown = level == Level::Outer ? levelCase.outerText : levelCase.innerText;
    if (box->text() != shown)
        box->setText(shown);
    if (edit.message)
        box->setFocus();
    showHeadDifference(index);
}

void CaseDialog::showHeadDifference(int index)
{
    const WaterLevelCase levelCase = index == 0 ? study_.levelCase(0) : cases_[std::size_t(index - 1)];
    heads_[std::size_t(index)]->setText(twoDecimals(levelCase.outer - levelCase.inner));
}

// The keys a water level takes; leaving a box writes its case's levels with
// two decimals.
bool CaseDialog::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return swallowsTypedNumber(*box, OuterWaterLevelBox, *static_cast<QKeyEvent *>(event));
    // A message box taking the focus is not leaving the box.
    const auto reason = event->type() == QEvent::FocusOut ? static_cast<QFocusEvent *>(event)->reason() : Qt::OtherFocusReason;
    if (event->type() == QEvent::FocusOut && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        for (std::size_t i = 0; i < levels_.size(); ++i) {
            if (levels_[i][0] == box || levels_[i][1] == box) {
                cases_[i] = refreshCaseLevels(cases_[i]);
                levels_[i][0]->setText(cases_[i].outerText);
                levels_[i][1]->setText(cases_[i].innerText);
            }
        }
    }
    return false;
}

}  // namespace talven
