#pragma once

// talven-report's summary table: one row per study and section, with the
// numbers the main window shows for the study, written as CSV.

#include "reporttool/studyjob.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace talven {

QStringList summaryHeader();

// The two rows of one study, vertical first. The numbers are the main
// window's: the result line of "計算結果を見る", "ΣL の参考値" and the design
// figures (margin, allowable head and outer level); a study that is not ready
// has no check, as the window shows none.
QList<QStringList> summaryRows(const QString &study, const StudyOutcome &outcome);

// One line of the table, CSV (RFC 4180, CR LF): the header or a row. A text
// field that a spreadsheet would take for a formula (= + - @ TAB CR first)
// gets a leading '; the numbers' columns are written as they are.
QString csvLine(const QStringList &fields);

// Writes the table (its lines, header first) as UTF-8 with a byte-order mark,
// to standard output for "-"; a file is replaced only by the whole table and
// checked by outputRefusal just before. The problem when it was not written.
std::optional<QString> writeCsvTable(const QString &path, const QString &lines, const QStringList &studies);

}  // namespace talven
