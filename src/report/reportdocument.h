#pragma once

// The report of a study as a document made once: its check, the page's
// options and title block, the proposals of the sheet, and which pages there
// are with what on them. The preview, the printer, the window's PDF and
// talven-report all draw pages of one such document; drawing a page only
// reads it.
//
//   page 1            the report (drawreport.cpp): four blocks at fixed
//                     anchors, the verdict lines of the governing case
//   the cases' page   with more than one water-level case: every case's
//                     levels, ratios and verdicts
//   the sheet         (calculationsheet.cpp) its conditions page, then the
//                     flowing pages: one block per case and the drawing,
//                     each block measured, never broken across pages
//
// On every page come last the title block, page 1's design figures, the
// footer, and where page 1 cannot be checked (ΔH = 0) the readiness notice.

#include "check/studycheck.h"
#include "report/reportsurface.h"
#include "study/pageoptions.h"
#include "study/study.h"
#include "study/titleblock.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace talven {

inline constexpr double TitleSize = 12.0;
inline constexpr double BodySize = 10.5;
inline constexpr double SmallSize = 9.0;

// A line of a flowing block: a text from a column to the frame's right
// edge, set smaller or on up to `lines` lines where it would not fit; or a
// ruled table of texts, its header row first, between column edges.
struct SheetLine {
    double column = 0.0;
    QString text;  // empty: a line left blank
    double size = BodySize;
    bool bold = false;
    int lines = 1;
    double gapAfter = 0.0;  // rows of space below it
    std::vector<QStringList> table = {};
    std::vector<double> edges = {};

    // The rows from this line's top to the next one's.
    double advance() const;
};

// A block of a flowing page: lines of text, or the section drawing.
struct SheetBlock {
    enum class Kind { Lines, Drawing };
    Kind kind = Kind::Lines;
    std::vector<SheetLine> lines;
    // The heading of the part it belongs to, which a page it begins carries;
    // empty for a block with a heading of its own.
    QString pageHeading;

    double height() const;
};

struct DocumentPage {
    enum class Kind { Report, Cases, SheetConditions, SheetFlow };
    Kind kind = Kind::Report;
    QString heading;                  // a flowing page's section heading; empty for none
    std::vector<SheetBlock> blocks;   // a flowing page's blocks, top to bottom
};

class ReportDocument {
public:
    // `titleBlock` as the page prints it (printedTitleBlock), `fileName` the
    // study's, for the footer.
    ReportDocument(Study study, PageOptions options, TitleBlock titleBlock, QString fileName);

    const Study &study() const { return study_; }
    const StudyCheck &check() const { return check_; }
    const PageOptions &options() const { return options_; }
    const TitleBlock &titleBlock() const { return titleBlock_; }
    const QString &fileName() const { return fileName_; }

    int pageCount() const { return int(pages_.size()); }
    const DocumentPage &page(int index) const { return pages_[std::size_t(index)]; }
    // Whether page `index` is whole: page 1 of a study whose governing ΔH
    // is 0 has no verdict lines.
    bool pageComplete(int index) const;
    // The label at the foot of page `index`: the first page's label, a
    // number at its end counting on page by page ("3-12", "3-13").
    QString pageLabel(int index) const;

private:
    Study study_;
    StudyCheck check_;
    PageOptions options_;
    TitleBlock titleBlock_;
    QString fileName_;
    std::vector<DocumentPage> pages_;
};

// Draws page `index` (from 0) of the document onto the surface, which the
// caller has cleared (or has a printer page ready). Returns whether the page
// is whole (pageComplete). Leaves the surface's font, size, bold state and
// current point as the last element set them, and the pen width at 1.
bool drawReportPage(ReportSurface &surface, const ReportDocument &document, int index);

// The verdict line of one section as the page prints it, its four items in
// reading order; all empty when the section has no verdict (ΔH = 0).
// talven-report prints the same line.
struct ReportVerdictLine {
    QString left;      // "Ｃ′= " + R
    QString relation;  // "≧" or "＜"
    QString right;     // "Ｃ = " + C "0.00"
    QString verdict;   // "・・・ＯＫ" or "・・・ＮＧ"

    QStringList items() const { return {left, relation, right, verdict}; }
};

ReportVerdictLine reportVerdictLine(const StudyCheck &check, Section section);

}  // namespace talven
