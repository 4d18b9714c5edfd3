#pragma once

// A report written as a PDF file so that a failed write never passes for a
// finished one: the window's File > 印刷 to a PDF file and talven-report both
// write through writeReportPdfFile.

#include "report/reportsurface.h"

#include <QString>

#include <functional>

class QPageLayout;

namespace talven {

// Draws page `page` (from 0) on the surface; false when the page is not complete.
using PageDrawing = std::function<bool(ReportSurface &surface, int page)>;

// The PDF's title: the structure's name, or "遮水矢板の設計" without one.
QString reportTitle(const QString &structure);

// Writes the `pages` pages that `draw` paints to `path` as a PDF titled
// reportTitle(structure), with the subject "遮水矢板の設計" and the program
// and its version for creator, through a temporary file beside it
// (SafeFile; a link is followed) that replaces `path` only once every byte is
// on the disk.
// False when anything fell short, `path` names something other than a
// regular file, or `draw` said the page is incomplete; an earlier file of
// that name then stays as it was, and no temporary file is left.
bool writeReportPdfFile(const QString &path, const QPageLayout &layout, int resolution, const QString &structure,
                        int pages, const PageDrawing &draw);

}  // namespace talven
