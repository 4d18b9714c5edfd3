#pragma once

// talven-report's tables: the summary, one row per study and section with the
// numbers the main window shows for the study, written as CSV and as the
// workbook's first sheet; the inputs, one row per study and section, the
// workbook's second sheet; the design summary, one row per study, its third.
// Every cell is the text the window shows; a column's kind says how a
// spreadsheet is to take it.

#include "reporttool/studyjob.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace talven {

enum class CellKind {
    Text,     // text, even one a spreadsheet would read as a formula
    Number,   // a figure as the window shows it ("7.00", "7"): a number, two decimals
    Verdict,  // "OK" or "NG", or the design summary's "○", "×" …; NG and × stand out
    Mark,     // "◎", "○" or nothing, beside a number
};

struct TableColumn {
    QString title;
    CellKind kind = CellKind::Text;
    // Names the row (the file, the section): a printed sheet's leading such
    // columns are repeated on every page.
    bool namesRow = false;
    // The heading over a run of columns ("矢板"), printed above their
    // titles; a sheet too wide for a page breaks between such runs first.
    QString group = {};
    // A second heading under the group's, over the same run: the design
    // summary's 基準値 under its item.
    QString subheading = {};
    // Kept in the workbook for sorting and filtering but folded away (an
    // outline's "+" shows it), on screen and on paper: another sheet shows
    // the same, as 入力値 shows a study's 計算式.
    bool folded = false;
};

QStringList columnTitles(const QList<TableColumn> &columns);

QList<TableColumn> summaryColumns();
// The column of 状態 among them.
qsizetype summaryStatusColumn();

// A study's name as the tables show it: as given, but for a leading "./"
// (a folder named "." lists its studies so), which says nothing.
QString tableFileName(const QString &study);

// The rows of one study: for each water-level case, vertical first. The
// numbers are the main window's: the result line of "計算結果を見る", "ΣL の参考値"
// and the design figures (margin, allowable head and the level it means on
// the side that rises); a study that is not ready has no check, as the
// window shows none. After 状態: the case, its WL1 and WL2, ◎ on the
// governing case's rows, the structure, ○ for a case whose inner level
// stands above the outer one (逆水位), and on the vertical rows the spacing
// rule of the piles placed at their stations: OK / NG, and each row's
// figures. The workbook folds 計算式, 土質の区分 and 構造物名 away: 入力値
// shows them.
QList<QStringList> summaryRows(const QString &study, const StudyOutcome &outcome);

// What a study was checked with, a row for each section: 構造物名, formula,
// soil class, C, the three members and the two water levels, then the
// section's seven piles (name, length, "○" when counted twice) under the
// heading 矢板. A refused study has its file and section alone.
QList<TableColumn> inputColumns();
QList<QStringList> inputRows(const QString &study, const StudyOutcome &outcome);

// 設計調書（遮水工）: a study's rows of the design summary (designReviewRows),
// each after its file: 項目, 基準値, 計画値, 判定; a study that is not checked
// has one row, its file and its status.
QList<QStringList> reviewRows(const QString &study, const StudyOutcome &outcome);

// The design summary as the workbook holds it, from each study's
// reviewRows: a row per study, its file, then each item's 計画値 and 判定
// under the item's name. An item's 基準値 stands in a heading row under its
// name where every study has the same, else in a column of the item's own
// (the creep ratio's, whose Ｃ is the study's). 状態 last where a study was
// not checked, which has its file and status alone.
struct ReviewTable {
    QList<TableColumn> columns;
    QList<QStringList> rows;
};
ReviewTable reviewTable(const QList<QList<QStringList>> &studies);

// One line of the table, CSV (RFC 4180, CR LF): the header or a row. A text
// field that a spreadsheet would take for a formula (= + - @ TAB CR first)
// gets a leading '; the numbers' columns are written as they are.
QString csvLine(const QStringList &fields);

// Writes the table (its lines, header first) as UTF-8 with a byte-order mark,
// to standard output for "-", to a file through writeTableFile. The problem
// when it was not written.
std::optional<QString> writeCsvTable(const QString &path, const QString &lines, const QStringList &studies);

// Replaces the file `path` by `bytes` only once all of them are on the disk,
// after outputRefusal (`what` names the output in its messages: "一覧表").
// The problem when it was not written.
std::optional<QString> writeTableFile(const QString &path, const QByteArray &bytes, const QStringList &studies,
                                      const QString &what);

// "PATH: 一覧表を書き出せませんでした。", with the cause in brackets when one is given.
QString notWrittenMessage(const QString &path, const QString &what, const QString &cause = QString());

}  // namespace talven
