#pragma once

#include "study/designbasis.h"
#include "study/pageoptions.h"
#include "study/titleblock.h"

#include <QDialog>
#include <QString>

#include <array>

class QCheckBox;
class QLineEdit;

namespace talven {

// File > 帳票の設定…: what the printed page carries besides the study. The
// title block's fields, the method's and the soil's basis, the page label and
// 計算書を付ける are the study's own and saved with it; the other options and
// the user's fields of the title block (業務名, 河川名, 会社名, 設計者, 照査者)
// are kept per user for the next new study. 構造物名 and 作成日 left empty
// print as the study's file name and the day it is printed.
class ReportSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    ReportSettingsDialog(const TitleBlock &titleBlock, const DesignBasis &basis, const PageOptions &options,
                         const QString &studyPath, QWidget *parent = nullptr);

    TitleBlock titleBlock() const;
    DesignBasis designBasis() const;
    PageOptions pageOptions() const;

    QLineEdit *field(QString TitleBlock::*field) const;
    QLineEdit *basisField(QString DesignBasis::*field) const;
    QCheckBox *optionBox(bool PageOptions::*option) const;
    QLineEdit *optionField(QString PageOptions::*option) const;

private:
    std::array<QLineEdit *, TitleFields.size()> fields_{};
    std::array<QLineEdit *, DesignBasisFields.size()> basisFields_{};
    std::array<QCheckBox *, PageSwitches.size()> switches_{};
    std::array<QLineEdit *, PageTexts.size()> texts_{};
};

}  // namespace talven
