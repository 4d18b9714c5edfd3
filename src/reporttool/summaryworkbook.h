#pragma once

// talven-report's tables as an Excel workbook (libxlsxwriter): a sheet per
// table, its header row bold and frozen under an autofilter (rows of the
// column groups' headings and subheadings above it), numbers as numbers
// shown with two decimals, text as text, 判定 and the marks ◎ and ○ centred,
// NG and × on a red fill, columns as wide as their texts, a folded column
// hidden under an outline's "+"; every sheet set up to be printed and filed.

#include "reporttool/summarytable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace talven {

// How a sheet prints: A4 landscape, its text no smaller than 8 pt, one page
// wide where that takes no smaller text (long texts wrap to fit), else in
// pages across that break between the column groups, the columns that name
// a row and the header rows on every page; 業務名 and the date at the top of
// each page and its number at the foot.
struct SheetPrint {
    QString job;   // 業務名, on the left; empty for none
    QString date;  // on the right: "2026年12月7日"
};

struct TableSheet {
    QString name;
    QList<TableColumn> columns;
    QList<QStringList> rows;  // each as long as columns, or shorter: the rest empty
    SheetPrint print;
};

// The page header of a printed sheet as Excel reads it: "&L" 業務名 "&R" the
// date, each "&" of a text doubled and control characters written out
// ("\x1B"). It is at most 255 characters, Excel's limit: a longer 業務名 is
// cut, "…" its last character.
QString pageHeader(const SheetPrint &print);

// One study's rows as the workbook holds them: a text longer than a cell
// takes (32,767 characters) is cut to it, "…" its last character, and the
// study's 状態 in its summary rows says so.
void fitToWorkbook(QList<QStringList> &summaryRows, QList<QStringList> &inputRows, QList<QStringList> &reviewRows);

// "Excel ファイル", as the messages name the workbook.
QString workbookWhat();

// Writes the sheets to `path` through a temporary file beside it (SafeFile),
// after outputRefusal: an earlier file is replaced only by a complete
// workbook. The problem when it was not written.
std::optional<QString> writeWorkbook(const QString &path, const QList<TableSheet> &sheets,
                                     const QStringList &studies);

}  // namespace talven
