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

// 帳票の設定: what the printed page carries besides the study. 業務名, 会社名,
// 設計者, 照査者 and the two options are the user's and kept between runs;
// 構造物名 and 作成日 belong to the study on screen, and left empty the page
// takes the study's file name and the day it is printed.
struct ReportSettings {
    TitleBlock typed;
    bool figures = true;
    bool footer = false;

    // The user's part as kept between runs; the study's own fields empty.
    static ReportSettings fromUser(const UserSettings &user);
    void keepUserPart(UserSettings &user) const;
    // Another study: its 構造物名 and 作成日 are its own.
    void forgetStudyFields();
    // The page's options for the study in `studyPath` (empty for a new one)
    // printed on `day`.
    ReportOptions pageOptions(const QString &studyPath, const QDate &day) const;
};

// File > 帳票の設定…: the six fields of the title block and the two options.
class ReportSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    ReportSettingsDialog(const ReportSettings &settings, const QString &studyPath, QWidget *parent = nullptr);

    ReportSettings settings() const;
    QLineEdit *field(int index) const { return fields_.at(index); }  // in the order of TitleBlock
    QCheckBox *figuresBox() const { return figures_; }
    QCheckBox *footerBox() const { return footer_; }

private:
    std::array<QLineEdit *, 6> fields_{};
    QCheckBox *figures_ = nullptr;
    QCheckBox *footer_ = nullptr;
};

}  // namespace talven
