#pragma once

// talven-report's batch form: many studies and folders in one run, their
// reports into one folder and a summary table, worked on all cores, results in
// the order of the arguments.

#include "reporttool/studyjob.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace talven {

struct BatchOptions {
    QStringList inputs;      // study files and folders, in the order given
    QString outputDir;       // -d: one PDF per study there; empty: no reports
    QString table;           // --csv: the table's file, "-" for standard output; empty: none
    QString workbook;        // --xlsx: the tables as an Excel workbook; empty: none
    int jobs = 0;            // -j: studies worked on at once (workerCount); 0: two per core
    bool recursive = false;  // -r: folders' subfolders too
    ReportRequest report;    // the page's options and the title fields given, for every report
    std::vector<WaterLevelCase> cases;  // --case: added to every study's cases
};

// The report of `study` in `outputDir`: its name but the last extension,
// plan.v2.vek -> DIR/plan.v2.pdf.
QString reportName(const QString &study, const QString &outputDir);

// Threads for `studies` studies when -j asked for `jobs` (0: two per core):
// never more than the studies, nor than four per core, beyond which more
// threads, each with its PDF engine, only take memory.
int workerCount(int jobs, qsizetype studies);

// Runs the batch and returns the exit status: 0 when every study was written
// (or checked, without reports), otherwise the largest single-study status
// met, 64 for outputs that would clash.
int runBatch(const BatchOptions &options);

}  // namespace talven
