#include "reporttool/reportpdf.h"

#include "report/drawreport.h"
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

// Whether two existing names reach one file: the same path once links and
// ".." are resolved, or, where the platform has them, the same device and
// inode (a hard link, a folder mounted twice). Windows has no inode to ask
// for here; its file names are compared without regard to case, as it does.
bool isSameFile(const QFileInfo &a, const QFileInfo &b)
{
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity Sensitivity = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity Sensitivity = Qt::CaseSensitive;
#endif
    if (a.canonicalFilePath().compare(b.canonicalFilePath(), Sensitivity) == 0)
        return true;
#ifdef Q_OS_UNIX
    struct stat first {};
    struct stat second {};
    if (::stat(QFile::encodeName(a.filePath()).constData(), &first) == 0
        && ::stat(QFile::encodeName(b.filePath()).constData(), &second) == 0)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
#endif
    return false;
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

std::optional<QString> outputRefusal(const QStringList &studyPaths, const QString &outputPath,
                                     const QString &what)
{
    const QFileInfo output(outputPath);
    if (!output.exists())
        return std::nullopt;
    // Renaming the finished file over a device or a FIFO would replace it.
    if (!output.isFile())
        return QStringLiteral("%1: 通常のファイルではないので、%2を書き出せません。").arg(outputPath, what);
    for (const QString &studyPath : studyPaths) {
        if (isSameFile(QFileInfo(studyPath), output))
            return QStringLiteral("%1 %2 は検討ファイル %3 そのものです。別の名前を指定してください。")
                .arg(what, outputPath, studyPath);
    }
    return std::nullopt;
}

PdfResult writeReportPdf(const QString &studyPath, const QString &outputPath, const Study &input,
                         const StudyCheck &check, const ReportOptions &page)
{
    if (const std::optional<QString> refused = outputRefusal({studyPath}, outputPath, QStringLiteral("PDF ファイル")))
        return {PdfOutcome::Refused, *refused};

    const auto draw = [&](ReportSurface &surface, int index) {
        return drawReport(surface, input, check, page, index).complete;
    };
    if (!writeReportPdfFile(outputPath, reportLayout(), PdfResolution, page.titleBlock.structure,
                            reportPageCount(check, page), draw))
        return {PdfOutcome::CannotWrite, outputPath + QStringLiteral(": PDF ファイルを書き出せませんでした。")};
    return {};
}

}  // namespace talven
