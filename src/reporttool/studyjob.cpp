#include "studyjob.h"

#include "check/creepcheck.h"
#include "report/drawreport.h"

#include <variant>

namespace talven {

namespace {

ReportInput reportInput(const RestoredStudy &study)
{
    return {study.record, study.formula, study.listIndex, study.verticalTicks, study.horizontalTicks};
}

}  // namespace

StudyOutcome runStudyJob(const QString &studyPath, const QString &output)
{
    StudyOutcome outcome;
    const StudyFileReadResult read = readStudyFile(studyPath);
    const ParsedStudy *parsed = std::get_if<ParsedStudy>(&read);
    if (!parsed) {
        outcome.status = StudyStatus::Refused;
        outcome.exitStatus = ExitRefused;
        outcome.problemFile = studyPath;
        outcome.problem = readErrorMessage().prompt;
        return outcome;
    }

    outcome.study = restoreStudy(*parsed);
    for (const Message &message : outcome.study->messages)
        outcome.warnings.append(message.prompt);

    const ReportInput input = reportInput(*outcome.study);
    QStringList verdictLines;
    for (Section section : {Section::Vertical, Section::Horizontal}) {
        if (const std::optional<SectionVerdict> verdict = reportVerdict(input, section))
            verdictLines.append(sectionName(section) + QStringLiteral("　") + verdict->items().join(u' '));
    }
    if (reportNotReady(input.record) || verdictLines.size() != 2) {
        outcome.status = StudyStatus::NotReady;
        outcome.exitStatus = ExitNotReady;
        outcome.problemFile = studyPath;
        outcome.problem = reportNotReadyMessage().prompt;
        return outcome;
    }

    if (output.isEmpty()) {
        outcome.status = StudyStatus::Checked;
    } else if (const PdfResult pdf = writeReportPdf(studyPath, output, input);
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
    const QString named = label.isEmpty() ? QString() : label + QStringLiteral(": ");
    for (const QString &warning : outcome.warnings)
        complain(named + QStringLiteral("警告: ") + terminalText(warning));
    if (!outcome.problem.isEmpty()) {
        const QString file = label.isEmpty() && !outcome.problemFile.isEmpty()
                                 ? outcome.problemFile + QStringLiteral(": ")
                                 : named;
        complain(file + terminalText(outcome.problem));
    }
    bool written = true;
    for (const QString &line : outcome.verdictLines)
        written = writeText(stdout, named + line + u'\n') && written;
    return written;
}

void complain(const QString &problem)
{
    writeText(stderr, ProgramName + QStringLiteral(": ") + problem + u'\n');
}

bool writeText(std::FILE *stream, const QString &text)
{
    const bool written = std::fputs(text.toUtf8().constData(), stream) >= 0;
    return std::fflush(stream) == 0 && written;
}

QString terminalText(const QString &prompt)
{
    QString text = prompt;
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString oneLine(const QString &prompt)
{
    QString text = prompt;
    return text.remove(QStringLiteral("\r\n"));
}

}  // namespace talven
