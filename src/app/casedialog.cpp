#include "app/casedialog.h"

#include "app/controls.h"
#include "app/studyboxes.h"
#include "app/titlewindow.h"
#include "check/studycheck.h"
#include "dialogs/dialogservice.h"
#include "study/fieldrules.h"
#include "study/numbers.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace talven {

namespace {

enum Column { NameColumn, OuterColumn, InnerColumn, HeadColumn, NoteColumn, RemoveColumn };

QLabel *header(const QString &text, Qt::Alignment alignment)
{
    auto *label = new QLabel(text);
    label->setAlignment(alignment);
    return label;
}

}  // namespace

CaseDialog::CaseDialog(const Study &study, QWidget *parent) : QDialog(parent), cases_(study.cases())
{
    setObjectName(QStringLiteral("caseDialog"));
    numberBoxes_ = new NumberBoxFilter(this);
    connect(numberBoxes_, &NumberBoxFilter::left, this, &CaseDialog::onLevelBoxLeft);
    setWindowTitle(applicationTitle() + QStringLiteral("・水位ケース"));

    auto *note = new QLabel(QStringLiteral("ケース 1 の水位は「水位差」の欄の外水位と内水位です。照査は ⊿H が最大の"
                                           "ケース（◎ 支配ケース）で行い、どのケースも帳票に載ります。内水位が外水位より"
                                           "高いケース（逆水位）は、内水位－外水位を ⊿H として照査します。"));
    note->setWordWrap(true);
    table_ = new QWidget;
    grid_ = new QGridLayout(table_);
    grid_->setContentsMargins(0, 0, 0, 0);

    add_ = new QPushButton(QStringLiteral("ケースを追加"));
    add_->setObjectName(QStringLiteral("addCaseButton"));
    connect(add_, &QPushButton::clicked, this, &CaseDialog::addCase);

    auto *buttons = new QDialogButtonBox;
    addAnswerButtons(this, buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addWidget(table_);
    layout->addWidget(add_, 0, Qt::AlignLeft);
    layout->addStretch(1);
    layout->addWidget(buttons);
    buildRows();
}

QLineEdit *CaseDialog::levelBox(int index, Level level) const
{
    return rows_.at(std::size_t(index)).levels[level == Level::Outer ? 0 : 1];
}

QLineEdit *CaseDialog::basisBox(int index, QString LevelBasis::*field) const
{
    const auto found = std::find_if(LevelBasisFields.begin(), LevelBasisFields.end(),
                                    [field](const LevelBasisField &known) { return known.value == field; });
    return rows_.at(std::size_t(index)).basis.at(std::size_t(found - LevelBasisFields.begin()));
}

// Where case `index`'s levels come from, as a line of labelled boxes under
// the case's own, a little indented: the datum short, each source wide
// enough for "河川整備計画 H.W.L." and more.
QWidget *CaseDialog::basisLine(int index, Row &row)
{
    auto *line = new QWidget;
    auto *layout = new QHBoxLayout(line);
    layout->setContentsMargins(fontMetrics().horizontalAdvance(u'漢'), 0, 0, fontMetrics().height() / 2);
    for (std::size_t i = 0; i < LevelBasisFields.size(); ++i) {
        const LevelBasisField &field = LevelBasisFields[i];
        auto *box = new QLineEdit(cases_[std::size_t(index)].basis.*field.value);
        box->setObjectName(QStringLiteral("caseBasis(%1,%2)").arg(index).arg(QLatin1StringView(field.key)));
        const bool datum = field.value == &LevelBasis::datum;
        const int width = box->fontMetrics().horizontalAdvance(QString(datum ? 5 : 14, u'漢'));
        if (datum)
            box->setFixedWidth(width);
        else
            box->setMinimumWidth(width);
        connect(box, &QLineEdit::textEdited, this, [this, index, &field](const QString &text) {
            cases_[std::size_t(index)].basis.*field.value = cappedTitleText(text.trimmed());
        });
        auto *label = new QLabel(QString::fromUtf16(field.label));
        label->setBuddy(box);
        layout->addWidget(label);
        layout->addWidget(box, datum ? 0 : 1);
        row.basis[i] = box;
    }
    return line;
}

// The rows again from the cases: after a case is added or removed.
void CaseDialog::buildRows()
{
    while (QLayoutItem *item = grid_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    rows_.clear();

    grid_->addWidget(header(QStringLiteral("ケース名"), Qt::AlignLeft), 0, NameColumn);
    grid_->addWidget(header(QStringLiteral("WL1 (m)"), Qt::AlignRight), 0, OuterColumn);
    grid_->addWidget(header(QStringLiteral("WL2 (m)"), Qt::AlignRight), 0, InnerColumn);
    grid_->addWidget(header(QStringLiteral("⊿H (m)"), Qt::AlignRight), 0, HeadColumn);
    for (int index = 0; index < int(cases_.size()); ++index) {
        const int line = 2 * index + 1;
        const WaterLevelCase &levelCase = cases_[std::size_t(index)];
        Row row;
        row.name = new QLineEdit(levelCase.name);
        row.name->setObjectName(QStringLiteral("caseName(%1)").arg(index));
        row.name->setMaxLength(CaseNameMaxLength);
        row.name->setPlaceholderText(QStringLiteral("ケース%1").arg(index + 1));
        row.name->setMinimumWidth(row.name->fontMetrics().horizontalAdvance(QString(12, u'漢')));
        connect(row.name, &QLineEdit::textEdited, this,
                [this, index](const QString &text) { cases_[std::size_t(index)].name = text.trimmed(); });
        grid_->addWidget(row.name, line, NameColumn);
        row.head = new QLabel;
        row.head->setObjectName(QStringLiteral("caseHead(%1)").arg(index));
        row.head->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->addWidget(row.head, line, HeadColumn);
        row.note = new QLabel;
        row.note->setObjectName(QStringLiteral("caseNote(%1)").arg(index));
        grid_->addWidget(row.note, line, NoteColumn);
        if (index == 0) {
            grid_->addWidget(header(twoDecimals(levelCase.outer), Qt::AlignRight | Qt::AlignVCenter), line, OuterColumn);
            grid_->addWidget(header(twoDecimals(levelCase.inner), Qt::AlignRight | Qt::AlignVCenter), line, InnerColumn);
        } else {
            for (const Level level : {Level::Outer, Level::Inner}) {
                QLineEdit *box = newNumberEdit(OuterWaterLevelBox);
                box->setObjectName(QStringLiteral("caseLevel(%1,%2)").arg(index).arg(level == Level::Outer ? 1 : 2));
                box->setText(level == Level::Outer ? levelCase.outerText : levelCase.innerText);
                numberBoxes_->watch(box, OuterWaterLevelBox);
                connect(box, &QLineEdit::textEdited, this, [this, index, level] { onLevelEdited(index, level); });
                row.levels[level == Level::Outer ? 0 : 1] = box;
                grid_->addWidget(box, line, level == Level::Outer ? OuterColumn : InnerColumn);
            }
            row.remove = new QPushButton(QStringLiteral("削除"));
            row.remove->setObjectName(QStringLiteral("removeCaseButton(%1)").arg(index));
            connect(row.remove, &QPushButton::clicked, this, [this, index] { removeCase(index); });
            grid_->addWidget(row.remove, line, RemoveColumn);
        }
        grid_->addWidget(basisLine(index, row), line + 1, NameColumn, 1, RemoveColumn + 1);
        rows_.push_back(row);
    }
    showHeadDifferences();
    add_->setEnabled(int(cases_.size()) < CaseLimit);
}

void CaseDialog::addCase()
{
    cases_.push_back(refreshCaseLevels({}));
    buildRows();
    rows_.back().name->setFocus();
}

void CaseDialog::removeCase(int index)
{
    cases_.erase(cases_.begin() + index);
    buildRows();
}

// Checked on every change, as the first tab's boxes are: a refused level
// empties its box.
void CaseDialog::onLevelEdited(int index, Level level)
{
    QLineEdit *box = levelBox(index, level);
    WaterLevelCase &levelCase = cases_[std::size_t(index)];
    const CaseLevelEdit edit = writeCaseLevel(levelCase, level, box->text());
    if (edit.message)
        showMessage(*edit.message);
    levelCase = edit.levelCase;
    const QString shown = level == Level::Outer ? levelCase.outerText : levelCase.innerText;
    if (box->text() != shown)
        box->setText(shown);
    if (edit.message)
        box->setFocus();
    showHeadDifferences();
}

// Each case's head either way, which case governs and which stand the other way round.
void CaseDialog::showHeadDifferences()
{
    const int governing = governingCaseIndex(cases_);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const WaterLevelCase &levelCase = cases_[i];
        rows_[i].head->setText(twoDecimals(std::abs(levelCase.outer - levelCase.inner)));
        QStringList notes;
        if (int(i) == governing && cases_.size() > 1)
            notes << QStringLiteral("◎");
        if (levelCase.inner > levelCase.outer)
            notes << QStringLiteral("逆水位");
        rows_[i].note->setText(notes.join(u' '));
    }
}

void CaseDialog::accept()
{
    for (std::size_t i = 1; i < cases_.size(); ++i) {
        if (!hasHead(cases_[i])) {
            showMessage(headNotAboveZeroMessage());
            levelBox(int(i), Level::Outer)->setFocus();
            return;
        }
    }
    QDialog::accept();
}

// Leaving a level box writes its case's levels with two decimals, as
// leaving one of the first tab's does.
void CaseDialog::onLevelBoxLeft(QLineEdit *box)
{
    for (std::size_t i = 1; i < rows_.size(); ++i) {
        if (rows_[i].levels[0] == box || rows_[i].levels[1] == box) {
            cases_[i] = refreshCaseLevels(cases_[i]);
            rows_[i].levels[0]->setText(cases_[i].outerText);
            rows_[i].levels[1]->setText(cases_[i].innerText);
        }
    }
}

}  // namespace talven
