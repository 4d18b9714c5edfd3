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
