#include "reporttool/studyjob.h"

#include "files/controlcharacters.h"
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

ReportOptions studyPage(const ReportOptions &page, const QString &studyPath, const Study &study)
{
    ReportOptions own = page;
    const QFileInfo file(studyPath);
    for (std::size_t i = 0; study.titleBlock && i < TitleFields.size(); ++i) {
        QString TitleBlock::*field = TitleFields[i].value;
        if (!page.titleGiven[i])
            own.titleBlock.*field = (*study.titleBlock).*field;
    }
    if (own.titleBlock.date.trimmed().isEmpty())
        own.titleBlock.date = page.titleBlock.date;
    if (own.structureFromFileName && own.titleBlock.structure.trimmed().isEmpty())
        own.titleBlock.structure = file.completeBaseName();
    own.fileName = file.fileName();
    return own;
}

StudyOutcome runStudyJob(const QString &studyPath, const QString &output, const ReportOptions &page,
                         const std::vector<WaterLevelCase> &addedCases)
{
    const StudyFileReadResult read = readStudyFile(studyPath);
    const StudyEdit *opened = std::get_if<StudyEdit>(&read);
    if (!opened)
        return refusedStudy(studyPath, readErrorMessage().prompt);

    StudyOutcome outcome;
    for (const Message &message : opened->messages)
        outcome.warnings.append(message.prompt);
    std::vector<WaterLevelCase> cases = opened->study.moreCases;
    for (const WaterLevelCase &added : addedCases) {
        if (int(cases.size()) + 1 < CaseLimit)
            cases.push_back(added);
        else
            outcome.warnings.append(QStringLiteral("水位ケースは %1 つまでです。--case の「%2」は加えません。")
                                        .arg(CaseLimit)
                                        .arg(escapeControlCharacters(added.name)));
    }
    const Study &input = outcome.study.emplace(setCases(opened->study, opened->study.firstCaseName, cases));
    const ReportOptions ownPage = studyPage(page, studyPath, input);
    outcome.structure = ownPage.titleBlock.structure;

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
    } else if (const PdfResult pdf = writeReportPdf(studyPath, output, input, check, ownPage);
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
