#include "app/reportsettings.h"

#include "app/controls.h"
#include "app/titlewindow.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace talven {

namespace {

// The user's setting of each title field the user keeps, in the order of
// TitleFields (none: the study's own).
constexpr std::array<QString UserSettings::*, TitleFields.size()> KeptFields{
    &UserSettings::job, nullptr, &UserSettings::company, &UserSettings::designer, &UserSettings::checker, nullptr};

QString studyName(const QString &studyPath)
{
    return QFileInfo(studyPath).completeBaseName();
}

}  // namespace

TitleBlock userTitleBlock(const UserSettings &user)
{
    TitleBlock block;
    for (std::size_t i = 0; i < TitleFields.size(); ++i) {
        if (KeptFields[i])
            block.*TitleFields[i].value = user.*KeptFields[i];
    }
    return block;
}

ReportSettings ReportSettings::of(const Study &study, const UserSettings &user)
{
    return {study.titleBlock.value_or(userTitleBlock(user)), user.figures, user.footer, user.margins, user.sheet,
            user.pageLabel};
}

void ReportSettings::keepUserPart(UserSettings &user) const
{
    for (std::size_t i = 0; i < TitleFields.size(); ++i) {
        if (KeptFields[i])
            user.*KeptFields[i] = titleBlock.*TitleFields[i].value;
    }
    user.figures = figures;
    user.footer = footer;
    user.margins = margins;
    user.sheet = sheet;
    user.pageLabel = pageLabel;
}

ReportOptions ReportSettings::pageOptions(const QString &studyPath, const QDate &day) const
{
    ReportOptions options;
    options.titleBlock = titleBlock;
    if (options.titleBlock.structure.trimmed().isEmpty())
        options.titleBlock.structure = studyName(studyPath);
    if (options.titleBlock.date.trimmed().isEmpty())
        options.titleBlock.date = reportDate(day);
    options.figures = figures;
    options.footer = footer;
    options.margins = margins;
    options.sheet = sheet;
    options.pageLabel = pageLabel;
    options.fileName = QFileInfo(studyPath).fileName();
    return options;
}

ReportSettingsDialog::ReportSettingsDialog(const ReportSettings &settings, const QString &studyPath, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("reportSettingsDialog"));
    setWindowTitle(applicationTitle() + QStringLiteral("・帳票の設定"));
    auto *form = new QFormLayout;
    for (std::size_t i = 0; i < TitleFields.size(); ++i) {
        fields_[i] = new QLineEdit(settings.titleBlock.*TitleFields[i].value);
        fields_[i]->setMinimumWidth(fontMetrics().horizontalAdvance(QString(24, u'漢')));
        form->addRow(QString::fromUtf16(TitleFields[i].label), fields_[i]);
    }
    // What the page shows when a study's own field is left empty.
    const QString name = studyName(studyPath);
    fields_[1]->setPlaceholderText(name.isEmpty() ? QStringLiteral("（検討ファイルの名前）") : name);
    fields_[5]->setPlaceholderText(QStringLiteral("（印刷する日: %1）").arg(reportDate(QDate::currentDate())));
    figures_ = new QCheckBox(QStringLiteral("照査の補足を印刷する（必要 ΣL、ΣL の過不足、許容水位差）"));
    figures_->setChecked(settings.figures);
    footer_ = new QCheckBox(QStringLiteral("ファイル名を印刷する（用紙の下に検討ファイルの名前と「1 / 1」）"));
    footer_->setChecked(settings.footer);
    margins_ = new QCheckBox(QStringLiteral("とじしろを取る（上下 15 mm、左 20 mm、右 10 mm の余白に収める）"));
    margins_->setChecked(settings.margins);
    sheet_ = new QCheckBox(QStringLiteral("計算書を付ける（計算の過程と断面図を帳票の後のページに印刷する）"));
    sheet_->setChecked(settings.sheet);
    pageLabel_ = new QLineEdit(settings.pageLabel);
    pageLabel_->setPlaceholderText(QStringLiteral("（なし。例: 3-12 なら次のページから 3-13、3-14 …）"));
    form->addRow(QStringLiteral("ページ番号"), pageLabel_);

    auto *buttons = new QDialogButtonBox;
    addAnswerButtons(this, buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(figures_);
    layout->addWidget(footer_);
    layout->addWidget(margins_);
    layout->addWidget(sheet_);
    layout->addWidget(buttons);
}

ReportSettings ReportSettingsDialog::settings() const
{
    ReportSettings chosen;
    for (std::size_t i = 0; i < TitleFields.size(); ++i)
        chosen.titleBlock.*TitleFields[i].value = cappedTitleText(fields_[i]->text().trimmed());
    chosen.figures = figures_->isChecked();
    chosen.footer = footer_->isChecked();
    chosen.margins = margins_->isChecked();
    chosen.sheet = sheet_->isChecked();
    chosen.pageLabel = cappedTitleText(pageLabel_->text().trimmed());
    return chosen;
}

}  // namespace talven
