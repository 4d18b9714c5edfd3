#include "app/form4.h"

#include "report/formprv.h"
#include "report/printreport.h"

namespace talven {

ReportInput Form4::CurrentReportInput() const
{
    ReportInput input;
    input.record = Study();
    input.formula = SelectedFormula();
    input.listIndex = ListIndex();
    input.verticalTicks = Ticks(check1_);
    input.horizontalTicks = Ticks(check2_);
    return input;
}

void Form4::ShowPreview(bool modal)
{
    FormPrv::Open(this, [this] { return CurrentReportInput(); }, modal);
}

// Only File > Print comes here, so the dialog offers the whole document on
// a printer and nothing else.
void Form4::PrintReport()
{
    talven::PrintReport(this, CurrentReportInput(), true);
}

}  // namespace talven
