#include "reporttool/reportpdf.h"

#include "report/controlcharacters.h"
#include "report/outputfile.h"
#include "report/pdffile.h"
#include "reporttool/exitstatus.h"

#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace talven {

namespace {

constexpr int PdfResolution = 600;

// What an existing name reaches, links followed: where the platform has them,
// the device and inode (a hard link, a folder mounted twice); elsewhere the
// canonical path, compared without regard to case as Windows compares names.
// Empty when nothing is there.
QString fileIdentity(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat file {};
    if (::stat(QFile::encodeName(path).constData(), &file) != 0)
        return {};
    return QStringLiteral("%1:%2").arg(quint64(file.st_dev)).arg(quint64(file.st_ino));
#else
    return QFileInfo(path).canonicalFilePath().toCaseFolded();
#endif
}

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
        const QString identity = fileIdentity(path);
        if (!identity.isEmpty() && !byIdentity_.contains(identity))
            byIdentity_.insert(identity, path);
    }
}

QString StudyFiles::studyAt(const QString &outputPath) const
{
    const QString identity = fileIdentity(outputFinalPath(outputPath));
    return identity.isEmpty() ? QString() : byIdentity_.value(identity);
}

std::optional<QString> outputRefusal(const StudyFiles &studies, const QString &outputPath, const QString &what)
{
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
    const QString folder = fileIdentity(final.absolutePath());
    const QString place = (folder.isEmpty() ? final.absolutePath().toCaseFolded() : folder) + u'/'
                          + final.fileName().toCaseFolded();
    QStringList keys{QStringLiteral("name ") + QFileInfo(outputPath).absoluteFilePath().toCaseFolded(),
                     QStringLiteral("place ") + place};
    if (const QString file = fileIdentity(final.filePath()); !file.isEmpty())
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
