#include "reporttool/summarytable.h"

#include "reporttool/reportpdf.h"
#include "reporttool/terminal.h"

#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>

namespace talven {

namespace {

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
    return {QStringLiteral("ファイル"),    QStringLiteral("方向"),       QStringLiteral("計算式"),
            QStringLiteral("土質の区分"),  QStringLiteral("Ｌ′"),       QStringLiteral("ΣL"),
            QStringLiteral("⊿H"),         QStringLiteral("計算値 Ｃ′"), QStringLiteral("必要値 Ｃ"),
            QStringLiteral("判定"),        QStringLiteral("ΣL の参考値"), QStringLiteral("ΣL の過不足"),
            QStringLiteral("許容 ⊿H"),     QStringLiteral("許容外水位"),  QStringLiteral("状態")};
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
    for (const QString &field : fields)
        quoted.append(csvField(field));
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
