#include "app/form4.h"

#include <QCheckBox>

namespace talven {

ReportInput Form4::CurrentReportInput() const
{
    ReportInput input;
    input.record = Study();
    input.formula = SelectedFormula();
    input.listIndex = ListIndex();
    for (int i = 0; i < PileCount; ++i) {
        input.verticalTicks[i] = check1_[i]->isChecked();
        input.horizontalTicks[i] = check2_[i]->isChecked();
    }
    return input;
}

void Form4::ShowPreview(bool) {}

void Form4::PrintReport() {}

}  // namespace talven
