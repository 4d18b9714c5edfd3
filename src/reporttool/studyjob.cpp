#include "reporttool/studyjob.h"

#include "report/controlcharacters.h"
#include "report/drawreport.h"
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

ReportOptions studyPage(const ReportOptions &page, const QString &studyPath)
{
    ReportOptions own = page;
    const QFileInfo study(studyPath);
    if (own.structureFromFileName)
        own.titleBlock.structure = study.completeBaseName();
    own.fileName = study.fileName();
    return own;
}

StudyOutcome runStudyJob(const QString &studyPath, const QString &output, const ReportOptions &page)
{
    const StudyFileReadResult read = readStudyFile(studyPath);
    const StudyEdit *opened = std::get_if<StudyEdit>(&read);
    if (!opened)
        return refusedStudy(studyPath, readErrorMessage().prompt);

    StudyOutcome outcome;
    const Study &input = outcome.study.emplace(opened->study);
    for (const Message &message : opened->messages)
        outcome.warnings.append(message.prompt);

    const StudyCheck &check = outcome.check.emplace(checkStudy(input));
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
    } else if (const PdfResult pdf = writeReportPdf(studyPath, output, input, check, studyPage(page, studyPath));
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
