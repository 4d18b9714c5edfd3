#pragma once

// talven-report's command line, read into what the run does.

#include "reporttool/reportbatch.h"

#include <QString>
#include <QStringList>

#include <variant>

namespace talven {

struct ReportArguments {
    QStringList inputs;
    QString output;      // -o: the single form's PDF
    BatchOptions batch;  // -d, --csv, --xlsx, -j, -r: the batch form
    // --job … --page-label: the title block and the page's options, for both
    // forms (also in batch.page). The supplementary figures are printed
    // unless --no-figures, the page within margins unless --no-margins.
    ReportOptions page;
    bool dateGiven = false;  // otherwise 作成日 is the day of the run
    bool jobsGiven = false;
    bool help = false;

    bool isBatch() const
    {
        return !batch.outputDir.isEmpty() || !batch.table.isEmpty() || !batch.workbook.isEmpty();
    }
};

// The arguments (the program's name first), or the problem with them.
std::variant<ReportArguments, QString> parseReportArguments(const QStringList &arguments);

}  // namespace talven
