#pragma once

#include "files/usersettings.h"
#include "report/drawreport.h"

#include <QDate>
#include <QDialog>
#include <QString>

#include <array>

class QCheckBox;
class QLineEdit;

namespace talven {

// 帳票の設定: what the printed page carries besides the study. The title
// block is the study's own and saved with it; a study that has none takes
// the user's 業務名, 会社名, 設計者 and 照査者, which the user keeps between
// runs with the two options. 構造物名 and 作成日 left empty print as the
// study's file name and the day it is printed.
struct ReportSettings {
    TitleBlock titleBlock;
    bool figures = true;
    bool footer = false;
    bool margins = true;
    bool sheet = false;
    QString pageLabel;

    static ReportSettings of(const Study &study, const UserSettings &user);
    // The user's part kept for the next new study, and the options.
    void keepUserPart(UserSettings &user) const;
    // The page's options for the study in `studyPath` (empty for a new one)
    // printed on `day`.
    ReportOptions pageOptions(const QString &studyPath, const QDate &day) const;
};

// The title block a new study starts with: the user's fields, no 構造物名 or 作成日.
TitleBlock userTitleBlock(const UserSettings &user);

// File > 帳票の設定…: the six fields of the title block, the page label and the options.
class ReportSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    ReportSettingsDialog(const ReportSettings &settings, const QString &studyPath, QWidget *parent = nullptr);

    ReportSettings settings() const;
    QLineEdit *field(int index) const { return fields_.at(index); }  // in the order of TitleBlock
    QCheckBox *figuresBox() const { return figures_; }
    QCheckBox *footerBox() const { return footer_; }
    QCheckBox *marginsBox() const { return margins_; }
    QCheckBox *sheetBox() const { return sheet_; }
    QLineEdit *pageLabelField() const { return pageLabel_; }

private:
    std::array<QLineEdit *, 6> fields_{};
    QLineEdit *pageLabel_ = nullptr;
    QCheckBox *figures_ = nullptr;
    QCheckBox *footer_ = nullptr;
    QCheckBox *margins_ = nullptr;
    QCheckBox *sheet_ = nullptr;
};

}  // namespace talven
