#include "reporttool/reportpdf.h"

#include "files/companionfile.h"
#include "files/controlcharacters.h"
#include "files/platform.h"
#include "files/safefile.h"
#include "report/pdffile.h"
#include "reporttool/exitstatus.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

namespace talven {

namespace {

constexpr int PdfResolution = 600;

// A4 portrait from the sheet's top-left corner, like the preview page.
QPageLayout reportLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

}  // namespace

int PdfResult::exitStatus() const
{
    switch (outcome) {
    case PdfOutcome::Written:
        return ExitWritten;
    case PdfOutcome::Refused:
        return ExitUsage;
    case PdfOutcome::CannotWrite:
        break;
    }
    return ExitCannotWrite;
}

StudyFiles::StudyFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        const QString identity = platform::fileIdentity(path);
        if (!identity.isEmpty() && !byIdentity_.contains(identity))
            byIdentity_.insert(identity, path);
        for (const QString &key : outputKeys(companionPath(path))) {
            if (!byCompanionKey_.contains(key))
                byCompanionKey_.insert(key, path);
        }
    }
}

QString StudyFiles::studyAt(const QString &outputPath) const
{
    const QString identity = platform::fileIdentity(outputFinalPath(outputPath));
    return identity.isEmpty() ? QString() : byIdentity_.value(identity);
}

QString StudyFiles::companionOf(const QString &outputPath) const
{
    for (const QString &key : outputKeys(outputPath)) {
        if (const auto study = byCompanionKey_.constFind(key); study != byCompanionKey_.cend())
            return study.value();
    }
    return {};
}

std::optional<QString> outputRefusal(const StudyFiles &studies, const QString &outputPath, const QString &what)
{
    // A study's companion is refused by its name too, before it exists: an
    // output there would be read as the study's cases and title block.
    if (const QString study = studies.companionOf(outputPath); !study.isEmpty())
        return QStringLiteral("%1 %2 は検討ファイル %3 の水位ケースと表題欄のファイルです。別の名前を指定してください。")
            .arg(what, escapeControlCharacters(outputPath), escapeControlCharacters(study));
    const QFileInfo output(outputPath);
    if (!output.exists())
        return std::nullopt;
    // Renaming the finished file over a device or a FIFO would replace it.
    if (!output.isFile())
        return QStringLiteral("%1: 通常のファイルではないので、%2を書き出せません。")
            .arg(escapeControlCharacters(outputPath), what);
    if (const QString study = studies.studyAt(outputPath); !study.isEmpty())
        return QStringLiteral("%1 %2 は検討ファイル %3 そのものです。別の名前を指定してください。")
            .arg(what, escapeControlCharacters(outputPath), escapeControlCharacters(study));
    return std::nullopt;
}

std::optional<QString> outputRefusal(const QStringList &studyPaths, const QString &outputPath, const QString &what)
{
    return outputRefusal(StudyFiles(studyPaths), outputPath, what);
}

QStringList outputKeys(const QString &outputPath)
{
    const QFileInfo final(outputFinalPath(outputPath));
    const QString folder = platform::fileIdentity(final.absolutePath());
    const QString place = (folder.isEmpty() ? final.absolutePath().toCaseFolded() : folder) + u'/'
                          + final.fileName().toCaseFolded();
    QStringList keys{QStringLiteral("name ") + QFileInfo(outputPath).absoluteFilePath().toCaseFolded(),
                     QStringLiteral("place ") + place};
    if (const QString file = platform::fileIdentity(final.filePath()); !file.isEmpty())
        keys.append(QStringLiteral("file ") + file);
    return keys;
}

PdfResult writeReportPdf(const QString &studyPath, const QString &outputPath, const ReportDocument &document)
{
    if (const std::optional<QString> refused = outputRefusal({studyPath}, outputPath, QStringLiteral("PDF ファイル")))
        return {PdfOutcome::Refused, *refused};

    const auto draw = [&document](ReportSurface &surface, int index) {
        return drawReportPage(surface, document, index);
    };
    if (!writeReportPdfFile(outputPath, reportLayout(), PdfResolution, document.titleBlock().structure,
                            document.pageCount(), draw))
        return {PdfOutcome::CannotWrite,
                escapeControlCharacters(outputPath) + QStringLiteral(": PDF ファイルを書き出せませんでした。")};
    return {};
}

}  // namespace talven
