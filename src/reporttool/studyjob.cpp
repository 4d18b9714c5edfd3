#include "reporttool/studyjob.h"

#include "files/controlcharacters.h"
#include "report/reportdocument.h"
#include "reporttool/exitstatus.h"
#include "reporttool/reportpdf.h"
#include "reporttool/terminal.h"

#include <QFileInfo>

#include <variant>

namespace talven {

StudyOutcome refusedStudy(const QString &studyPath, const QString &problem)
{
    StudyOutcome outcome;
    outcome.status = StudyStatus::Refused;
    outcome.exitStatus = ExitRefused;
    outcome.problemFile = studyPath;
    outcome.problem = problem;
    return outcome;
}

TitleBlock studyTitleBlock(const ReportRequest &request, const QString &studyPath, const Study &study)
{
    return request.title.over(printedTitleBlock(study.titleBlock.value_or(TitleBlock()), studyPath, request.day));
}

PageOptions studyPageOptions(const ReportRequest &request, const Study &study)
{
    return request.page.over(study.pages.over(PageOptions()));
}

StudyOutcome runStudyJob(const QString &studyPath, const QString &output, const ReportRequest &request,
                         const std::vector<WaterLevelCase> &addedCases)
{
    const StudyFileReadResult read = readStudyFile(studyPath);
    const StudyEdit *opened = std::get_if<StudyEdit>(&read);
    if (!opened)
        return refusedStudy(studyPath, readErrorMessage().prompt);

    StudyOutcome outcome;
    for (const Message &message : opened->messages)
        outcome.warnings.append(message.prompt);
    std::vector<WaterLevelCase> cases = opened->study.cases();
    cases.insert(cases.end(), addedCases.begin(), addedCases.end());
    const StudyEdit withCases = setCases(opened->study, cases);
    for (const Message &message : withCases.messages)
        outcome.warnings.append(message.prompt);
    const ReportDocument document(withCases.study, studyPageOptions(request, withCases.study),
                                  studyTitleBlock(request, studyPath, withCases.study),
                                  QFileInfo(studyPath).fileName());
    outcome.study = document.study();
    outcome.structure = document.titleBlock().structure;
    const StudyCheck &check = outcome.check.emplace(document.check());
    QStringList verdictLines;
    for (Section section : Sections) {
        if (check.section(section).verdict)
            verdictLines.append(sectionName(section) + QStringLiteral("　")
                                + reportVerdictLine(check, section).items().join(u' '));
    }
    if (!check.ready() || verdictLines.size() != 2) {
        outcome.status = StudyStatus::NotReady;
        outcome.exitStatus = ExitNotReady;
        outcome.problemFile = studyPath;
        outcome.problem = reportNotReadyMessage().prompt;
        return outcome;
    }

    if (output.isEmpty()) {
        outcome.status = StudyStatus::Checked;
    } else if (const PdfResult pdf = writeReportPdf(studyPath, output, document);
               pdf.outcome == PdfOutcome::Written) {
        outcome.status = StudyStatus::Written;
    } else {
        outcome.status = StudyStatus::CannotWrite;
        outcome.exitStatus = pdf.exitStatus();
        outcome.problem = pdf.message;
        return outcome;
    }
    outcome.verdictLines = verdictLines;
    return outcome;
}

bool printOutcome(const StudyOutcome &outcome, const QString &label)
{
    const QString named = label.isEmpty() ? QString() : escapeControlCharacters(label) + QStringLiteral(": ");
    for (const QString &warning : outcome.warnings)
        complain(named + QStringLiteral("警告: ") + terminalText(warning));
    if (!outcome.problem.isEmpty()) {
        const QString file = label.isEmpty() && !outcome.problemFile.isEmpty()
                                 ? escapeControlCharacters(outcome.problemFile) + QStringLiteral(": ")
                                 : named;
        complain(file + terminalText(outcome.problem));
    }
    bool written = true;
    for (const QString &line : outcome.verdictLines)
        written = writeText(stdout, named + line + u'\n') && written;
    return written;
}

}  // namespace talven
