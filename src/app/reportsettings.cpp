#include "app/reportsettings.h"

#include "app/controls.h"
#include "app/titlewindow.h"

#include <QCheckBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

namespace talven {

namespace {

// The control made for the entry of `table` whose member is `member`.
template <typename Table, typename Controls, typename Member>
auto controlOf(const Table &table, const Controls &controls, Member member)
{
    const auto found = std::find_if(table.begin(), table.end(), [member](const auto &entry) { return entry.value == member; });
    return controls.at(std::size_t(found - table.begin()));
}

}  // namespace

ReportSettingsDialog::ReportSettingsDialog(const TitleBlock &titleBlock, const DesignBasis &basis,
                                           const PageOptions &options, const QString &studyPath, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("reportSettingsDialog"));
    setWindowTitle(applicationTitle() + QStringLiteral("・帳票の設定"));
    const int fieldWidth = fontMetrics().horizontalAdvance(QString(24, u'漢'));
    auto *titleForm = new QFormLayout;
    for (std::size_t i = 0; i < TitleFields.size(); ++i) {
        fields_[i] = new QLineEdit(titleBlock.*TitleFields[i].value);
        fields_[i]->setMinimumWidth(fieldWidth);
        titleForm->addRow(QString::fromUtf16(TitleFields[i].label), fields_[i]);
    }
    // What the page shows when a study's own field is left empty.
    const QString name = QFileInfo(studyPath).completeBaseName();
    field(&TitleBlock::structure)->setPlaceholderText(name.isEmpty() ? QStringLiteral("（検討ファイルの名前）") : name);
    field(&TitleBlock::date)->setPlaceholderText(QStringLiteral("（印刷する日: %1）").arg(reportDate(QDate::currentDate())));
    auto *titleGroup = new QGroupBox(QStringLiteral("表題欄"));
    titleGroup->setLayout(titleForm);

    auto *basisForm = new QFormLayout;
    for (std::size_t i = 0; i < DesignBasisFields.size(); ++i) {
        basisFields_[i] = new QLineEdit(basis.*DesignBasisFields[i].value);
        basisFields_[i]->setMinimumWidth(fieldWidth);
        basisFields_[i]->setPlaceholderText(QString::fromUtf16(DesignBasisFields[i].placeholder));
        basisForm->addRow(QString::fromUtf16(DesignBasisFields[i].label), basisFields_[i]);
    }
    auto *basisGroup = new QGroupBox(QStringLiteral("根拠（計算書の設計条件に印刷します）"));
    basisGroup->setLayout(basisForm);

    auto *form = new QFormLayout;
    for (std::size_t i = 0; i < PageTexts.size(); ++i) {
        texts_[i] = new QLineEdit(options.*PageTexts[i].value);
        texts_[i]->setPlaceholderText(QString::fromUtf16(PageTexts[i].placeholder));
        form->addRow(QString::fromUtf16(PageTexts[i].label), texts_[i]);
    }

    auto *buttons = new QDialogButtonBox;
    addAnswerButtons(this, buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(titleGroup);
    layout->addWidget(basisGroup);
    layout->addLayout(form);
    for (std::size_t i = 0; i < PageSwitches.size(); ++i) {
        switches_[i] = new QCheckBox(QString::fromUtf16(PageSwitches[i].label));
        switches_[i]->setChecked(options.*PageSwitches[i].value);
        layout->addWidget(switches_[i]);
    }
    layout->addWidget(buttons);
}

QLineEdit *ReportSettingsDialog::field(QString TitleBlock::*field) const
{
    return controlOf(TitleFields, fields_, field);
}

QLineEdit *ReportSettingsDialog::basisField(QString DesignBasis::*field) const
{
    return controlOf(DesignBasisFields, basisFields_, field);
}

QCheckBox *ReportSettingsDialog::optionBox(bool PageOptions::*option) const
{
    return controlOf(PageSwitches, switches_, option);
}

QLineEdit *ReportSettingsDialog::optionField(QString PageOptions::*option) const
{
    return controlOf(PageTexts, texts_, option);
}

TitleBlock ReportSettingsDialog::titleBlock() const
{
    TitleBlock chosen;
    for (std::size_t i = 0; i < TitleFields.size(); ++i)
        chosen.*TitleFields[i].value = cappedTitleText(fields_[i]->text().trimmed());
    return chosen;
}

DesignBasis ReportSettingsDialog::designBasis() const
{
    DesignBasis chosen;
    for (std::size_t i = 0; i < DesignBasisFields.size(); ++i)
        chosen.*DesignBasisFields[i].value = cappedTitleText(basisFields_[i]->text().trimmed());
    return chosen;
}

PageOptions ReportSettingsDialog::pageOptions() const
{
    PageOptions chosen;
    for (std::size_t i = 0; i < PageSwitches.size(); ++i)
        chosen.*PageSwitches[i].value = switches_[i]->isChecked();
    for (std::size_t i = 0; i < PageTexts.size(); ++i)
        chosen.*PageTexts[i].value = cappedTitleText(texts_[i]->text().trimmed());
    return chosen;
}

}  // namespace talven
