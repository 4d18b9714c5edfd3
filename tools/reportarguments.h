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
    // -d, --csv, --xlsx, -j, -r: the batch form; --job … --page-label (the
    // title fields and the page's options) and --case for both forms.
    BatchOptions batch;
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
