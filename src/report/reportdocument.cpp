#include "report/reportdocument.h"

#include "report/calculationsheet.h"
#include "report/drawreport.h"
#include "report/reportpage.h"

namespace talven {

ReportDocument::ReportDocument(Study study, PageOptions options, TitleBlock titleBlock, QString fileName)
    : study_(std::move(study)),
      check_(checkStudy(study_)),
      options_(std::move(options)),
      titleBlock_(std::move(titleBlock)),
      fileName_(std::move(fileName))
{
    pages_.push_back({DocumentPage::Kind::Report, {}, {}});
    if (check_.cases.size() > 1)
        pages_.push_back({DocumentPage::Kind::Cases, {}, {}});
    if (options_.sheet && check_.ready()) {
        std::vector<DocumentPage> sheet = sheetPages(study_, check_);
        pages_.insert(pages_.end(), sheet.begin(), sheet.end());
    }
}

bool ReportDocument::pageComplete(int index) const
{
    if (page(index).kind != DocumentPage::Kind::Report)
        return true;
    for (Section section : Sections) {
        if (!check_.section(section).verdict)
            return false;
    }
    return true;
}

QString ReportDocument::pageLabel(int index) const
{
    // The label's trailing digits count on, however many there are, as a
    // person would: "3-09" then "3-10", "3-9999999999" then "3-10000000000".
    QString label = options_.pageLabel.trimmed();
    qsizetype first = label.size();
    while (first > 0 && label.at(first - 1).isDigit() && label.at(first - 1).unicode() < 0x80)
        --first;
    if (first == label.size())
        return label;
    int carry = index;
    for (qsizetype at = label.size() - 1; at >= first && carry > 0; --at) {
        const int digit = label.at(at).digitValue() + carry;
        label[at] = QChar(u'0' + digit % 10);
        carry = digit / 10;
    }
    return carry > 0 ? label.insert(first, QString::number(carry)) : label;
}

bool drawReportPage(ReportSurface &surface, const ReportDocument &document, int index)
{
    Page page(surface);
    if (document.options().margins)
        page.placeWithinMargins();
    const DocumentPage &shown = document.page(index);
    switch (shown.kind) {
    case DocumentPage::Kind::Report:
        drawFirstPage(page, document);
        break;
    case DocumentPage::Kind::Cases:
        drawCasesPage(page, document);
        break;
    case DocumentPage::Kind::SheetConditions:
    case DocumentPage::Kind::SheetFlow:
        drawSheetPage(page, document, shown);
        break;
    }
    drawPageAdditions(page, document, index);
    return document.pageComplete(index);
}

ReportVerdictLine reportVerdictLine(const StudyCheck &check, Section section)
{
    const std::optional<SectionVerdict> &verdict = check.section(section).verdict;
    if (!verdict)
        return {};
    return {QStringLiteral("Ｃ′= ") + verdict->provided, verdict->relation(),
            QStringLiteral("Ｃ = ") + check.requiredPrinted,
            verdict->ok ? QStringLiteral("・・・ＯＫ") : QStringLiteral("・・・ＮＧ")};
}

}  // namespace talven
