#include "reporttool/reportbatch.h"

#include "files/controlcharacters.h"
#include "files/platform.h"
#include "reporttool/exitstatus.h"
#include "reporttool/folderlisting.h"
#include "reporttool/reportpdf.h"
#include "reporttool/studyjob.h"
#include "reporttool/summarytable.h"
#include "reporttool/summaryworkbook.h"
#include "reporttool/terminal.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>

#include <algorithm>
#include <optional>
#include <vector>

namespace talven {

namespace {

// ---- inputs ----

// A study of the run, named on the command line or found in a folder.
struct BatchStudy {
    QString name;            // its path, as listFolder shows a name that is not UTF-8
    bool reachable = true;   // false: refused unread, as no text reaches the file
};

struct BatchInputs {
    QList<BatchStudy> studies;
    bool listed = true;  // false: a folder could not be listed (named on standard error)
};

// A folder's studies (*.vek in any case, as File > Save names them), sorted
// by name, then those of its subfolders when asked. Linked subfolders are
// not followed, so a link back up cannot loop. A folder that cannot be
// listed, or whose name no text reaches, is named on standard error: its
// studies would be missing without a word.
bool addFolder(const QString &folder, bool recursive, QList<BatchStudy> &studies)
{
    std::optional<QList<FolderEntry>> entries = listFolder(folder);
    if (!entries) {
        complain(escapeControlCharacters(QDir::toNativeSeparators(folder))
                 + QStringLiteral(": フォルダーを読み込めません。"));
        return false;
    }
    std::sort(entries->begin(), entries->end(),
              [](const FolderEntry &a, const FolderEntry &b) { return listedBefore(a.name, b.name); });
    const QDir dir(folder);
    for (const FolderEntry &entry : std::as_const(*entries)) {
        if (entry.study)
            studies.append({QDir::toNativeSeparators(dir.filePath(entry.name)), entry.reachable});
    }
    bool listed = true;
    for (const FolderEntry &entry : std::as_const(*entries)) {
        if (!recursive || !entry.folder)
            continue;
        if (entry.reachable) {
            listed = addFolder(dir.filePath(entry.name), recursive, studies) && listed;
        } else {
            complain(escapeControlCharacters(QDir::toNativeSeparators(dir.filePath(entry.name)))
                     + QStringLiteral(": フォルダー名が UTF-8 ではないため読み込めません。"));
            listed = false;
        }
    }
    return listed;
}

// Every study named, in argument order; a name that is not a folder is a
// study, and one that cannot be read is refused when its turn comes.
BatchInputs expandInputs(const BatchOptions &options)
{
    BatchInputs inputs;
    for (const QString &input : options.inputs) {
        if (!QFileInfo(input).isDir()) {
            inputs.studies.append({input});
            continue;
        }
        const qsizetype before = inputs.studies.size();
        const bool listed = addFolder(input, options.recursive, inputs.studies);
        if (listed && inputs.studies.size() == before)
            complain(escapeControlCharacters(input) + QStringLiteral(": 検討ファイル（*.vek）がありません。"));
        inputs.listed = inputs.listed && listed;
    }
    return inputs;
}

// The studies' paths where a text reaches the file: those a report or the
// table must not replace.
QStringList reachablePaths(const QList<BatchStudy> &studies)
{
    QStringList paths;
    for (const BatchStudy &study : studies) {
        if (study.reachable)
            paths.append(study.name);
    }
    return paths;
}

// The report of each study that is read; none without -d.
QStringList reportNames(const QList<BatchStudy> &studies, const QString &outputDir)
{
    QStringList reports;
    if (outputDir.isEmpty())
        return reports;
    for (const BatchStudy &study : studies)
        reports.append(study.reachable ? reportName(study.name, outputDir) : QString());
    return reports;
}

// Outputs refused before anything is written: two reports that would be one
// file, a report or a table that would replace a study or an existing file
// other than a regular one, a table that would be a report, the CSV and the
// workbook as one file. Outputs are compared by outputKeys: names equal but
// for case, and what their links lead to.
std::optional<QString> refusedOutput(const QList<BatchStudy> &studies, const QStringList &reports,
                                     const BatchOptions &options)
{
    const StudyFiles studyFiles(reachablePaths(studies));
    QHash<QString, qsizetype> reportWithKey;
    for (qsizetype i = 0; i < reports.size(); ++i) {
        if (reports[i].isEmpty())
            continue;
        const QStringList keys = outputKeys(reports[i]);
        for (const QString &key : keys) {
            if (const auto known = reportWithKey.constFind(key); known != reportWithKey.cend())
                return QStringLiteral("%1 と %2 の帳票が同じファイル %3 になります。")
                    .arg(escapeControlCharacters(studies[known.value()].name), escapeControlCharacters(studies[i].name),
                         escapeControlCharacters(reports[i]));
        }
        for (const QString &key : keys)
            reportWithKey.insert(key, i);
        if (const std::optional<QString> refused =
                outputRefusal(studyFiles, reports[i], QStringLiteral("PDF ファイル")))
            return refused;
    }
    const bool csvFile = !options.table.isEmpty() && options.table != QStringLiteral("-");
    if (csvFile && !options.workbook.isEmpty()) {
        const QStringList csvKeys = outputKeys(options.table);
        for (const QString &key : outputKeys(options.workbook)) {
            if (csvKeys.contains(key))
                return QStringLiteral("一覧表と %1が同じファイル %2 になります。")
                    .arg(workbookWhat(), escapeControlCharacters(options.workbook));
        }
    }
    const std::pair<QString, QString> tables[]{{csvFile ? options.table : QString(), QStringLiteral("一覧表")},
                                               {options.workbook, workbookWhat()}};
    for (const auto &[table, what] : tables) {
        if (table.isEmpty())
            continue;
        for (const QString &key : outputKeys(table)) {
            if (const auto report = reportWithKey.constFind(key); report != reportWithKey.cend())
                return QStringLiteral("%1 %2 が %3 の帳票と同じファイルです。")
                    .arg(what, escapeControlCharacters(table), escapeControlCharacters(studies[report.value()].name));
        }
        // A table is checked again just before it is written.
        if (const std::optional<QString> refused = outputRefusal(studyFiles, table, what))
            return refused;
    }
    return std::nullopt;
}

// ---- progress ----

// "12 / 340" on the terminal's last line, rubbed out before any other line
// is written there.
class ProgressLine {
public:
    ProgressLine(bool shown, qsizetype total) : shown_(shown), total_(total) {}

    void show(qsizetype done)
    {
        if (!shown_ || done == done_)
            return;
        clear();
        text_ = QStringLiteral("%1 / %2").arg(done).arg(total_);
        done_ = done;
        writeText(stderr, text_);
    }

    void clear()
    {
        if (!text_.isEmpty())
            writeText(stderr, u'\r' + QString(text_.size(), u' ') + u'\r');
        text_.clear();
        done_ = -1;
    }

private:
    bool shown_;
    qsizetype total_;
    qsizetype done_ = -1;
    QString text_;
};

// ---- the run ----

// Two studies per core by default: while one waits for its report to reach
// the disk, the other keeps the core busy.
constexpr int DefaultJobsPerCore = 2;
constexpr int MaxJobsPerCore = 4;

}  // namespace

QString reportName(const QString &study, const QString &outputDir)
{
    return QDir::toNativeSeparators(
        QDir(outputDir).filePath(QFileInfo(study).completeBaseName() + QStringLiteral(".pdf")));
}

int workerCount(int jobs, qsizetype studies)
{
    const int cores = QThread::idealThreadCount();
    const int asked = jobs > 0 ? std::min(jobs, MaxJobsPerCore * cores) : DefaultJobsPerCore * cores;
    return int(std::clamp<qsizetype>(studies, 1, asked));
}

int runBatch(const BatchOptions &options)
{
    const BatchInputs inputs = expandInputs(options);
    const QList<BatchStudy> &studies = inputs.studies;
    const QStringList reports = reportNames(studies, options.outputDir);
    if (const std::optional<QString> refused = refusedOutput(studies, reports, options)) {
        complain(*refused);
        return ExitUsage;
    }
    // A missing report folder is made; one that cannot be shows as reports
    // that cannot be written.
    if (!options.outputDir.isEmpty())
        QDir().mkpath(options.outputDir);

    const qsizetype total = studies.size();
    std::vector<std::optional<StudyOutcome>> outcomes(total);
    qsizetype finished = 0;
    QMutex mutex;
    QWaitCondition oneFinished;
    QThreadPool pool;
    pool.setMaxThreadCount(workerCount(options.jobs, total));
    for (qsizetype i = 0; i < total; ++i) {
        pool.start([&, i] {
            const QString &study = studies[i].name;
            StudyOutcome outcome = studies[i].reachable
                                       ? runStudyJob(study, reports.value(i), options.report, options.cases)
                                       : refusedStudy(study, QStringLiteral("ファイル名が UTF-8 ではありません。"));
            const QMutexLocker lock(&mutex);
            outcomes[i] = std::move(outcome);
            ++finished;
            oneFinished.wakeAll();
        });
    }

    // The table on standard output takes the place of the verdict lines.
    const bool verdictLines = options.table != QStringLiteral("-");
    ProgressLine progress(total > 1 && platform::isTerminal(stderr), total);
    QList<QStringList> summary;
    // The workbook's rows: the same, but for texts longer than a cell holds.
    QList<QStringList> workbookSummary;
    QList<QStringList> workbookInputs;
    // Each study's rows of the design summary, one row a study in the workbook.
    QList<QList<QStringList>> reviews;
    // A folder that could not be listed counts as a study that could not be read.
    int status = inputs.listed ? ExitWritten : ExitRefused;
    bool printed = true;
    QMutexLocker lock(&mutex);
    for (qsizetype next = 0; next < total;) {
        if (!outcomes[next]) {
            progress.show(finished);
            oneFinished.wait(&mutex);
            continue;
        }
        StudyOutcome outcome = std::move(*outcomes[next]);
        outcomes[next].reset();
        lock.unlock();
        progress.clear();
        if (!verdictLines)
            outcome.verdictLines.clear();
        printed = printOutcome(outcome, studies[next].name) && printed;
        QList<QStringList> rows = summaryRows(studies[next].name, outcome);
        summary += rows;
        if (!options.workbook.isEmpty()) {
            QList<QStringList> studyInputs = inputRows(studies[next].name, outcome);
            QList<QStringList> review = reviewRows(studies[next].name, outcome);
            fitToWorkbook(rows, studyInputs, review);
            workbookSummary += rows;
            workbookInputs += studyInputs;
            reviews.append(review);
        }
        status = std::max(status, outcome.exitStatus);
        ++next;
        lock.relock();
    }
    lock.unlock();
    progress.clear();

    if (!options.table.isEmpty()) {
        QString table = csvLine(columnTitles(summaryColumns()));
        for (const QStringList &row : summary)
            table += csvLine(row);
        if (const std::optional<QString> problem = writeCsvTable(options.table, table, reachablePaths(studies))) {
            complain(*problem);
            status = std::max<int>(status, options.table == QStringLiteral("-") ? ExitLostOutput : ExitCannotWrite);
        }
    }
    if (!options.workbook.isEmpty()) {
        // 業務名 from --job alone: each study's own may differ.
        const SheetPrint print{options.report.title.values.job, options.report.day};
        const ReviewTable review = reviewTable(reviews);
        const QList<TableSheet> sheets{{QStringLiteral("照査結果"), summaryColumns(), workbookSummary, print},
                                       {QStringLiteral("入力値"), inputColumns(), workbookInputs, print},
                                       {QStringLiteral("設計調書（遮水工）"), review.columns, review.rows, print}};
        if (const std::optional<QString> problem = writeWorkbook(options.workbook, sheets, reachablePaths(studies))) {
            complain(*problem);
            status = std::max<int>(status, ExitCannotWrite);
        }
    }
    if (!printed) {
        complain(QStringLiteral("照査結果を標準出力に書き込めませんでした。"));
        status = std::max<int>(status, ExitLostOutput);
    }
    return status;
}

}  // namespace talven
