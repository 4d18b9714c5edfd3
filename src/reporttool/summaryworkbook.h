#pragma once

// talven-report's tables as an Excel workbook (libxlsxwriter): a sheet per
// table, its header row bold and frozen under an autofilter, numbers as
// numbers shown with two decimals, text as text, NG on a red fill, columns as
// wide as their texts.

#include "reporttool/summarytable.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace talven {

struct TableSheet {
    QString name;
    QList<TableColumn> columns;
    QList<QStringList> rows;  // each as long as columns, or shorter: the rest empty
};

// One study's rows as the workbook holds them: a text longer than a cell
// takes (32,767 characters) is cut to it, "…" its last character, and the
// study's 状態 in its summary rows says so.
void fitToWorkbook(QList<QStringList> &summaryRows, QStringList &inputRow);

// "Excel ファイル", as the messages name the workbook.
QString workbookWhat();

// Writes the sheets to `path` through a temporary file beside it (OutputFile),
// after outputRefusal: an earlier file is replaced only by a complete
// workbook. The problem when it was not written.
std::optional<QString> writeWorkbook(const QString &path, const QList<TableSheet> &sheets,
                                     const QStringList &studies);

}  // namespace talven
