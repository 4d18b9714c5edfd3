#include "studyjob.h"

#include "check/creepcheck.h"
#include "report/drawreport.h"
#include "report/paintersurface.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <variant>

namespace talven {

namespace {

constexpr int PdfResolution = 600;

ReportInput reportInput(const RestoredStudy &study)
{
    return {study.record, study.formula, study.listIndex, study.verticalTicks, study.horizontalTicks};
}

// A4 portrait from the sheet's top-left corner, like the preview page; the
// file replaces an existing one only once the whole report is in it.
bool writePdf(const QString &path, const ReportInput &input)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(PdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        writer.setCreator(QStringLiteral("タルヴェン"));
        writer.setTitle(QStringLiteral("遮水矢板の設計"));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        PainterSurface surface(painter, true);
        const ReportResult result = drawReport(surface, input);
        if (!painter.end() || !result.complete)
            return false;
    }
    return file.commit();
}

}  // namespace

int StudyOutcome::exitStatus() const
{
    switch (status) {
    case StudyStatus::Written:
    case StudyStatus::Checked:
        return ExitDone;
    case StudyStatus::Refused:
        return ExitRefused;
    case StudyStatus::NotReady:
        return ExitNotReady;
    case StudyStatus::CannotWrite:
        return ExitCannotWrite;
    }
    return ExitCannotWrite;
}

StudyOutcome runStudyJob(const QString &studyPath, const QString &output)
{
    StudyOutcome outcome;
    const StudyFileReadResult read = readStudyFile(studyPath);
    const ParsedStudy *parsed = std::get_if<ParsedStudy>(&read);
    if (!parsed) {
        outcome.status = StudyStatus::Refused;
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
        outcome.problemFile = studyPath;
        outcome.problem = reportNotReadyMessage().prompt;
        return outcome;
    }

    if (output.isEmpty()) {
        outcome.status = StudyStatus::Checked;
    } else if (writePdf(output, input)) {
        outcome.status = StudyStatus::Written;
    } else {
        outcome.status = StudyStatus::CannotWrite;
        outcome.problemFile = output;
        outcome.problem = QStringLiteral("PDF ファイルを書き出せませんでした。");
        return outcome;
    }
    outcome.verdictLines = verdictLines;
    return outcome;
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
