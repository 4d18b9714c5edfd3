#include "reporttool/summarytable.h"

#include "check/designreview.h"
#include "files/controlcharacters.h"
#include "files/safefile.h"
#include "reporttool/reportpdf.h"
#include "reporttool/terminal.h"
#include "study/boxtable.h"
#include "study/message.h"
#include "study/numbers.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace talven {

namespace {

// A spreadsheet takes text that begins with = + - @ TAB or CR for a formula
// (a study named "=HYPERLINK(…).vek"); a leading ' has it shown as text.
QString spreadsheetText(const QString &text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && formulaStarts.contains(text.front()) ? u'\'' + text : text;
}

QString csvField(const QString &text)
{
    static const QRegularExpression special(QStringLiteral("[\",\r\n]"));
    if (!text.contains(special))
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

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

// A case's name, levels and governing mark, as the table's columns.
QStringList levels(const StudyCheck &check, int index)
{
    const CaseCheck &levelCase = check.cases[std::size_t(index)];
    return {levelCase.shownName(index), levelCase.outerLevelText, levelCase.innerLevelText,
            index == check.governing ? QStringLiteral("◎") : QString()};
}

// The soil list's line, as the window shows it selected.
QString soilClassText(const Study &study)
{
    return study.soilClass >= 0 ? QString::fromUtf16(soilClasses(study.formula)[study.soilClass].listText) : QString();
}

}  // namespace

QStringList columnTitles(const QList<TableColumn> &columns)
{
    QStringList titles;
    for (const TableColumn &column : columns)
        titles.append(column.title);
    return titles;
}

QList<TableColumn> summaryColumns()
{
    constexpr CellKind Text = CellKind::Text, Number = CellKind::Number;
    // What the study was checked with and its structure's name: 入力値 shows them.
    const auto shownWithInputs = [](const QString &title) { return TableColumn{title, Text, false, {}, {}, true}; };
    return {{QStringLiteral("ファイル"), Text, true}, {QStringLiteral("方向"), Text, true},
            shownWithInputs(QStringLiteral("計算式")), shownWithInputs(QStringLiteral("土質の区分")),
            {QStringLiteral("Ｌ′"), Number},         {QStringLiteral("ΣL"), Number},
            {QStringLiteral("⊿H"), Number},          {QStringLiteral("計算値 Ｃ′"), Number},
            {QStringLiteral("必要値 Ｃ"), Number},    {QStringLiteral("判定"), CellKind::Verdict},
            {QStringLiteral("ΣL の参考値"), Number}, {QStringLiteral("ΣL の過不足"), Number},
            {QStringLiteral("許容 ⊿H"), Number},     {QStringLiteral("許容水位"), Number},
            {QStringLiteral("状態"), Text},          {QStringLiteral("検討ケース"), Text},
            {QStringLiteral("WL1"), Number},         {QStringLiteral("WL2"), Number},
            {QStringLiteral("支配"), CellKind::Mark}, shownWithInputs(QStringLiteral("構造物名")),
            {QStringLiteral("逆水位"), CellKind::Mark},
            {QStringLiteral("間隔の照査"), CellKind::Verdict}, {QStringLiteral("矢板の間隔"), Text}};
}

qsizetype summaryStatusColumn()
{
    static const qsizetype column = columnTitles(summaryColumns()).indexOf(QStringLiteral("状態"));
    return column;
}

QString tableFileName(const QString &study)
{
    // On Windows the folder's listing writes ".\" instead.
    const QString here = QStringLiteral(".") + QDir::separator();
    QString name = study;
    while (name.startsWith(QStringLiteral("./")) || name.startsWith(here))
        name.remove(0, 2);
    return name;
}

QList<QStringList> summaryRows(const QString &study, const StudyOutcome &outcome)
{
    const qsizetype statusColumn = summaryStatusColumn();
    const StudyCheck *check = outcome.study && outcome.check ? &*outcome.check : nullptr;
    const int cases = check ? int(check->cases.size()) : 1;
    QList<QStringList> rows;
    for (int c = 0; c < cases; ++c) {
        for (Section section : Sections) {
            QStringList row{tableFileName(study), sectionName(section)};
            if (check) {
                const CaseCheck &levels = check->cases[std::size_t(c)];
                const SectionCheck &own = levels.section(section);
                row << formulaName(outcome.study->formula) << soilClassText(*outcome.study) << check->reducedLengthText
                    << own.sigmaLText << levels.headDifferenceText;
                if (outcome.status != StudyStatus::NotReady && own.verdict)
                    row << own.verdict->provided << check->requiredShown
                        << (own.verdict->ok ? QStringLiteral("OK") : QStringLiteral("NG")) << levels.referenceSigmaL
                        << own.marginText << own.allowableHeadText << own.allowableLevelText;
            }
            while (row.size() < statusColumn)
                row.append(QString());
            row.append(statusText(outcome));
            if (check)
                row << levels(*check, c);
            else
                row << QString() << QString() << QString() << QString();
            row.append(outcome.structure);
            row.append(check && check->cases[std::size_t(c)].reversed ? QStringLiteral("○") : QString());
            // The spacing rule of the vertical piles placed at their stations.
            const bool spaced = check && section == Section::Vertical;
            row.append(spaced && !check->spacing.placed.empty() ? (check->spacing.ok() ? QStringLiteral("OK") : QStringLiteral("NG"))
                                                                : QString());
            row.append(spaced ? spacingLine(check->spacing, outcome.study->record) : QString());
            rows.append(row);
        }
    }
    return rows;
}

QList<TableColumn> inputColumns()
{
    constexpr CellKind Text = CellKind::Text, Number = CellKind::Number;
    QList<TableColumn> columns{{QStringLiteral("ファイル"), Text, true},  {QStringLiteral("方向"), Text, true},
                               {QStringLiteral("構造物名"), Text},       {QStringLiteral("計算式"), Text},
                               {QStringLiteral("土質の区分"), Text},     {QStringLiteral("必要値 Ｃ"), Number}};
    for (int i = 1; i <= 3; ++i)
        columns << TableColumn{QStringLiteral("部材名称 %1").arg(i), Text}
                << TableColumn{QStringLiteral("寸法 %1 (m)").arg(i), Number};
    for (const char *level : {"WL1", "WL2"})
        columns << TableColumn{QString::fromLatin1(level) + QStringLiteral(" 水位名称"), Text}
                << TableColumn{QString::fromLatin1(level) + QStringLiteral(" (m)"), Number};
    const QString piles = QStringLiteral("矢板");
    for (int i = 1; i <= PileCount; ++i)
        columns << TableColumn{QStringLiteral("設置場所 %1").arg(i), Text, false, piles}
                << TableColumn{QStringLiteral("長さ %1 (m)").arg(i), Number, false, piles}
                << TableColumn{QStringLiteral("×2 %1").arg(i), CellKind::Mark, false, piles};
    return columns;
}

QList<QStringList> inputRows(const QString &study, const StudyOutcome &outcome)
{
    QList<QStringList> rows;
    for (Section section : Sections) {
        QStringList row{tableFileName(study), sectionName(section)};
        if (outcome.study && outcome.check) {
            const Study &input = *outcome.study;
            const StudyRecord &record = input.record;
            row << outcome.structure << formulaName(input.formula) << soilClassText(input)
                << outcome.check->requiredShown;
            // The three members, then WL1 and WL2: each name box beside its value.
            for (int i = 0; i < BaseValueCount; ++i)
                row << trimmedName(record.names[i]) << twoDecimals(record.baseValues[i]);
            for (int i = 0; i < PileCount; ++i)
                row << trimmedName(record.names[pileNameBox(section, i)]) << twoDecimals(pileLengths(record, section)[i])
                    << (input.ticks(section)[i] ? QStringLiteral("○") : QString());
        }
        rows.append(row);
    }
    return rows;
}

QList<QStringList> reviewRows(const QString &study, const StudyOutcome &outcome)
{
    const QString file = tableFileName(study);
    if (!outcome.study || !outcome.check || outcome.status == StudyStatus::NotReady)
        return {{file, statusText(outcome)}};
    QList<QStringList> rows;
    for (const ReviewRow &row : designReviewRows(*outcome.study, *outcome.check))
        rows.append({file, row.item, row.standard, row.planned, reviewVerdictText(row.verdict)});
    return rows;
}

ReviewTable reviewTable(const QList<QList<QStringList>> &studies)
{
    // A study checked has a row for each item: file, item, standard, planned, verdict.
    const auto checked = [](const QList<QStringList> &rows) { return rows.value(0).size() > 2; };
    const auto firstChecked = std::find_if(studies.cbegin(), studies.cend(), checked);
    const QList<QStringList> items = firstChecked == studies.cend() ? QList<QStringList>() : *firstChecked;
    ReviewTable table;
    // Over the file, what the heading rows hold.
    table.columns.append({QStringLiteral("ファイル"), CellKind::Text, true});
    if (!items.isEmpty()) {
        table.columns.last().group = QStringLiteral("項目");
        table.columns.last().subheading = QStringLiteral("基準値");
    }
    QList<bool> ownStandard;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString &item = items[i].value(1), &standard = items[i].value(2);
        ownStandard.append(std::any_of(studies.cbegin(), studies.cend(), [&](const QList<QStringList> &rows) {
            return checked(rows) && rows.value(i).value(2) != standard;
        }));
        const QString heading = ownStandard.last() ? QString() : standard;
        if (ownStandard.last())
            table.columns.append({QStringLiteral("基準値"), CellKind::Text, false, item});
        table.columns.append({QStringLiteral("計画値"), CellKind::Text, false, item, heading});
        table.columns.append({QStringLiteral("判定"), CellKind::Verdict, false, item, heading});
    }
    if (!std::all_of(studies.cbegin(), studies.cend(), checked))
        table.columns.append({QStringLiteral("状態"), CellKind::Text});
    for (const QList<QStringList> &rows : studies) {
        QStringList row{rows.value(0).value(0)};
        if (checked(rows)) {
            for (qsizetype i = 0; i < items.size(); ++i) {
                if (ownStandard[i])
                    row.append(rows.value(i).value(2));
                row << rows.value(i).value(3) << rows.value(i).value(4);
            }
        } else {
            while (row.size() < table.columns.size() - 1)
                row.append(QString());
            row.append(rows.value(0).value(1));
        }
        table.rows.append(row);
    }
    return table;
}

QString csvLine(const QStringList &fields)
{
    static const QList<TableColumn> columns = summaryColumns();
    QStringList quoted;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const bool number = i < columns.size() && columns[i].kind == CellKind::Number;
        quoted.append(csvField(number ? fields[i] : spreadsheetText(fields[i])));
    }
    return quoted.join(u',') + QStringLiteral("\r\n");
}

// UTF-8 with a byte-order mark, which a spreadsheet on a Japanese desktop
// needs to read it as UTF-8.
std::optional<QString> writeCsvTable(const QString &path, const QString &lines, const QStringList &studies)
{
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + lines.toUtf8();
    if (path == QStringLiteral("-")) {
        if (std::fwrite(bytes.constData(), 1, bytes.size(), stdout) == std::size_t(bytes.size())
            && std::fflush(stdout) == 0)
            return std::nullopt;
        return QStringLiteral("一覧表を標準出力に書き込めませんでした。");
    }
    return writeTableFile(path, bytes, studies, QStringLiteral("一覧表"));
}

// As a report is written (writeReportPdf), through a temporary file.
std::optional<QString> writeTableFile(const QString &path, const QByteArray &bytes, const QStringList &studies,
                                      const QString &what)
{
    if (const std::optional<QString> refused = outputRefusal(studies, path, what))
        return refused;
    if (!writeFileSafely(outputFinalPath(path), bytes))
        return std::nullopt;
    return notWrittenMessage(path, what);
}

QString notWrittenMessage(const QString &path, const QString &what, const QString &cause)
{
    const QString because = cause.isEmpty() ? QString() : QStringLiteral("（") + cause + QStringLiteral("）");
    return escapeControlCharacters(path) + QStringLiteral(": ") + what + QStringLiteral("を書き出せませんでした")
           + because + u'。';
}

}  // namespace talven
