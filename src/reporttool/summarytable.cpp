#include "reporttool/summarytable.h"

#include "reporttool/reportpdf.h"
#include "reporttool/terminal.h"

#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>
#include <iterator>

namespace talven {

namespace {

struct Column {
    const char16_t *name;
    bool number;  // written as the program formats it: "-2.32" stays a number
};

// The table's columns; every one but the numbers' is text, which may come
// from a file's name.
constexpr Column Columns[] = {
    {u"ファイル", false},  {u"方向", false},       {u"計算式", false},     {u"土質の区分", false},
    {u"Ｌ′", true},        {u"ΣL", true},          {u"⊿H", true},          {u"計算値 Ｃ′", true},
    {u"必要値 Ｃ", true},  {u"判定", false},       {u"ΣL の参考値", true}, {u"ΣL の過不足", true},
    {u"許容 ⊿H", true},    {u"許容外水位", true},  {u"状態", false},
};

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

}  // namespace

QStringList summaryHeader()
{
    QStringList header;
    for (const Column &column : Columns)
        header.append(QString::fromUtf16(column.name));
    return header;
}

QList<QStringList> summaryRows(const QString &study, const StudyOutcome &outcome)
{
    const qsizetype columns = summaryHeader().size();
    QList<QStringList> rows;
    for (Section section : Sections) {
        QStringList row{study, sectionName(section)};
        if (outcome.study && outcome.check) {
            const RestoredStudy &restored = *outcome.study;
            const StudyCheck &check = *outcome.check;
            const SectionCheck &own = check.section(section);
            row << formulaName(restored.formula)
                << (restored.listIndex >= 0
                        ? QString::fromUtf16(soilClasses(restored.formula)[restored.listIndex].listText)
                        : QString())
                << check.reducedLengthText << own.sigmaLText << check.headDifferenceText;
            if (outcome.status != StudyStatus::NotReady && own.verdict)
                row << own.verdict->provided << check.requiredShown
                    << (own.verdict->ok ? QStringLiteral("OK") : QStringLiteral("NG")) << check.referenceSigmaL
                    << own.marginText << own.allowableHeadText << own.allowableOuterLevelText;
        }
        while (row.size() < columns - 1)
            row.append(QString());
        row.append(statusText(outcome));
        rows.append(row);
    }
    return rows;
}

QString csvLine(const QStringList &fields)
{
    QStringList quoted;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const bool number = i < qsizetype(std::size(Columns)) && Columns[i].number;
        quoted.append(csvField(number ? fields[i] : spreadsheetText(fields[i])));
    }
    return quoted.join(u',') + QStringLiteral("\r\n");
}

// UTF-8 with a byte-order mark, which a spreadsheet on a Japanese desktop
// needs to read it as UTF-8. A file is replaced only by the whole table, as
// a report is (writeReportPdf).
std::optional<QString> writeCsvTable(const QString &path, const QString &lines, const QStringList &studies)
{
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + lines.toUtf8();
    if (path == QStringLiteral("-")) {
        if (std::fwrite(bytes.constData(), 1, bytes.size(), stdout) == std::size_t(bytes.size())
            && std::fflush(stdout) == 0)
            return std::nullopt;
        return QStringLiteral("一覧表を標準出力に書き込めませんでした。");
    }
    if (const std::optional<QString> refused = outputRefusal(studies, path, QStringLiteral("一覧表")))
        return refused;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
        && file.error() == QFileDevice::NoError && file.commit())
        return std::nullopt;
    return path + QStringLiteral(": 一覧表を書き出せませんでした。");
}

}  // namespace talven
