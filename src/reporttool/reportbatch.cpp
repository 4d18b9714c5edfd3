#include "reportbatch.h"

#include "studyjob.h"

#include "check/creepcheck.h"
#include "report/drawreport.h"
#include "study/numbers.h"
#include "study/soilclasses.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>

#include <algorithm>
#include <optional>
#include <vector>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace talven {

namespace {

constexpr Section Sections[] = {Section::Vertical, Section::Horizontal};

// ---- inputs ----

// By name as a file manager lists them: case aside first, then exactly, so
// that the order is the same on every system.
void sortByName(QStringList &names)
{
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int folded = a.compare(b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
}

// A folder's studies (*.vek in any case, as File > Save names them), sorted
// by name, then those of its subfolders when asked. Linked subfolders are
// not followed, so a link back up cannot loop.
void addFolder(const QString &folder, bool recursive, QStringList &studies)
{
    const QDir dir(folder);
    QStringList files = dir.entryList({QStringLiteral("*.vek")}, QDir::Files);
    sortByName(files);
    for (const QString &file : files)
        studies.append(QDir::toNativeSeparators(dir.filePath(file)));
    if (!recursive)
        return;
    QStringList subfolders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    sortByName(subfolders);
    for (const QString &subfolder : subfolders)
        addFolder(dir.filePath(subfolder), recursive, studies);
}

// Every study named, in argument order; a name that is not a folder is a
// study, and one that cannot be read is refused when its turn comes.
QStringList expandInputs(const BatchOptions &options)
{
    QStringList studies;
    for (const QString &input : options.inputs) {
        if (!QFileInfo(input).isDir()) {
            studies.append(input);
            continue;
        }
        const qsizetype before = studies.size();
        addFolder(input, options.recursive, studies);
        if (studies.size() == before)
            complain(input + QStringLiteral(": 検討ファイル（*.vek）がありません。"));
    }
    return studies;
}

// plan.vek -> DIR/plan.pdf for each study; none without -d.
QStringList reportNames(const QStringList &studies, const QString &outputDir)
{
    QStringList reports;
    if (outputDir.isEmpty())
        return reports;
    const QDir dir(outputDir);
    for (const QString &study : studies)
        reports.append(QDir::toNativeSeparators(
            dir.filePath(QFileInfo(study).completeBaseName() + QStringLiteral(".pdf"))));
    return reports;
}

// The table's own checks, made before the run and again before it is written.
std::optional<QString> tableRefusal(const QStringList &studies, const QString &table)
{
    const PdfResult refused = checkOutput(studies, table, QStringLiteral("一覧表"));
    if (refused.outcome != PdfOutcome::Written)
        return refused.message;
    return std::nullopt;
}

// Outputs refused before anything is written: two reports of one name (names
// equal but for case count as equal, as they do on Windows), a report or the
// table that is a study itself or an existing file other than a regular one,
// the table under a report's name.
std::optional<QString> refusedOutput(const QStringList &studies, const QStringList &reports,
                                     const QString &table)
{
    const auto key = [](const QString &path) { return QFileInfo(path).absoluteFilePath().toCaseFolded(); };
    QHash<QString, qsizetype> firstWithName;
    for (qsizetype i = 0; i < reports.size(); ++i) {
        const QString name = key(reports[i]);
        if (const auto known = firstWithName.constFind(name); known != firstWithName.cend())
            return QStringLiteral("%1 と %2 の帳票が同じファイル %3 になります。")
                .arg(studies[known.value()], studies[i], reports[i]);
        firstWithName.insert(name, i);
        const PdfResult refused = checkOutput({studies[i]}, reports[i], QStringLiteral("PDF ファイル"));
        if (refused.outcome != PdfOutcome::Written)
            return refused.message;
    }
    if (table.isEmpty() || table == QStringLiteral("-"))
        return std::nullopt;
    if (const auto report = firstWithName.constFind(key(table)); report != firstWithName.cend())
        return QStringLiteral("一覧表 %1 が %2 の帳票と同じファイルです。").arg(table, studies[report.value()]);
    return tableRefusal(studies, table);
}

// ---- the table ----

QString csvField(const QString &text)
{
    static const QRegularExpression special(QStringLiteral("[\",\r\n]"));
    if (!text.contains(special))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (const QString &field : fields)
        quoted.append(csvField(field));
    return quoted.join(u',') + QStringLiteral("\r\n");
}

const QStringList TableHeader{
    QStringLiteral("ファイル"), QStringLiteral("方向"), QStringLiteral("計算式"),
    QStringLiteral("土質の区分"), QStringLiteral("Ｌ′"), QStringLiteral("ΣL"),
    QStringLiteral("⊿H"), QStringLiteral("計算値 Ｃ′"), QStringLiteral("必要値 Ｃ"),
    QStringLiteral("判定"), QStringLiteral("ΣL の参考値"), QStringLiteral("状態")};

QString statusText(const StudyOutcome &outcome)
{
    QString text;
    switch (outcome.status) {
    case StudyStatus::Written:
        text = QStringLiteral("書き出しました");
        break;
    case StudyStatus::Checked:
        text = QStringLiteral("照査しました");
        break;
    case StudyStatus::Refused:
        text = QStringLiteral("読み込めません");
        break;
    case StudyStatus::NotReady:
        text = QStringLiteral("帳票を作成できません");
        break;
    case StudyStatus::CannotWrite:
        text = QStringLiteral("書き出せません");
        break;
    }
    if (!outcome.problem.isEmpty())
        text += QStringLiteral("（") + oneLine(outcome.problem) + QStringLiteral("）");
    for (const QString &warning : outcome.warnings)
        text += QStringLiteral("　警告: ") + oneLine(warning);
    return text;
}

// One row per section. The numbers are the main window's: the result line of
// "計算結果を見る" (its required ratio read from the ratio box) and "ΣL の参考値";
// a study that is not ready has no check, as the window shows none.
QString tableRows(const QString &study, const StudyOutcome &outcome)
{
    QString rows;
    for (Section section : Sections) {
        QStringList row{study, sectionName(section)};
        if (const std::optional<RestoredStudy> &restored = outcome.study) {
            const StudyRecord &record = restored->record;
            const Formula formula = restored->formula;
            const double length = seepageLength(record.baseValues);
            const double head = headDifference(record.baseValues);
            const double sectionSigmaL =
                sigmaL(pileLengths(record, section),
                       section == Section::Vertical ? restored->verticalTicks : restored->horizontalTicks);
            const SectionQuantities shown = sectionQuantities(formula, length, sectionSigmaL, head);
            row << formulaName(formula)
                << (restored->listIndex >= 0
                        ? QString::fromUtf16(soilClasses(formula)[restored->listIndex].listText)
                        : QString())
                << shown.reducedLength << shown.sigmaL << shown.headDifference;
            const std::optional<SectionResult> result =
                outcome.status == StudyStatus::NotReady
                    ? std::nullopt
                    : checkSection(formula, length, sectionSigmaL, head, leadingNumber(restored->ratioText));
            if (result)
                row << result->provided << result->required
                    << (result->ok ? QStringLiteral("OK") : QStringLiteral("NG"))
                    << referenceSigmaLText(formula, record.creepRatio, length, head);
        }
        while (row.size() < TableHeader.size() - 1)
            row.append(QString());
        row.append(statusText(outcome));
        rows += csvLine(row);
    }
    return rows;
}

// UTF-8 with a byte-order mark, which a spreadsheet on a Japanese desktop
// needs to read it as UTF-8. A file is replaced only by the whole table, as
// a report is (writeReportPdf). The problem when it was not written.
std::optional<QString> writeTable(const QString &path, const QString &table, const QStringList &studies)
{
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + table.toUtf8();
    if (path == QStringLiteral("-")) {
        if (std::fwrite(bytes.constData(), 1, bytes.size(), stdout) == std::size_t(bytes.size())
            && std::fflush(stdout) == 0)
            return std::nullopt;
        return QStringLiteral("一覧表を標準出力に書き込めませんでした。");
    }
    if (const std::optional<QString> refused = tableRefusal(studies, path))
        return refused;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
        && file.error() == QFileDevice::NoError && file.commit())
        return std::nullopt;
    return path + QStringLiteral(": 一覧表を書き出せませんでした。");
}

// ---- progress ----

bool isTerminal(std::FILE *stream)
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream));
#else
    return isatty(fileno(stream));
#endif
}

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

}  // namespace

int runBatch(const BatchOptions &options)
{
    const QStringList studies = expandInputs(options);
    const QStringList reports = reportNames(studies, options.outputDir);
    if (const std::optional<QString> refused = refusedOutput(studies, reports, options.table)) {
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
    // Two studies per core by default: while one waits for its report to
    // reach the disk, the other keeps the core busy.
    QThreadPool pool;
    pool.setMaxThreadCount(options.jobs > 0 ? options.jobs : 2 * QThread::idealThreadCount());
    for (qsizetype i = 0; i < total; ++i) {
        pool.start([&, i] {
            StudyOutcome outcome = runStudyJob(studies[i], reports.value(i));
            const QMutexLocker lock(&mutex);
            outcomes[i] = std::move(outcome);
            ++finished;
            oneFinished.wakeAll();
        });
    }

    // The table on standard output takes the place of the verdict lines.
    const bool verdictLines = options.table != QStringLiteral("-");
    ProgressLine progress(total > 1 && isTerminal(stderr), total);
    QString table = csvLine(TableHeader);
    int status = ExitWritten;
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
        printed = printOutcome(outcome, studies[next]) && printed;
        table += tableRows(studies[next], outcome);
        status = std::max(status, outcome.exitStatus);
        ++next;
        lock.relock();
    }
    lock.unlock();
    progress.clear();

    if (!options.table.isEmpty()) {
        if (const std::optional<QString> problem = writeTable(options.table, table, studies)) {
            complain(*problem);
            status = std::max<int>(status, options.table == QStringLiteral("-") ? ExitLostOutput : ExitCannotWrite);
        }
    }
    if (!printed) {
        complain(QStringLiteral("照査結果を標準出力に書き込めませんでした。"));
        status = std::max<int>(status, ExitLostOutput);
    }
    return status;
}

}  // namespace talven
