#include "reportarguments.h"

#include <optional>

namespace talven {

std::variant<ReportArguments, QString> parseReportArguments(const QStringList &arguments)
{
    ReportArguments parsed;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        auto is = [&argument](const char *shortName, const char *longName) {
            return (shortName && argument == QLatin1StringView(shortName)) || argument == QLatin1StringView(longName);
        };
        // The value of an option that takes one, once.
        auto value = [&](QString &into, const QString &what) -> std::optional<QString> {
            if (++i == arguments.size())
                return QStringLiteral("%1 の後に%2を指定してください。").arg(argument, what);
            if (!into.isEmpty())
                return QStringLiteral("%1は一つだけ指定してください。").arg(what.trimmed());
            into = arguments[i];
            if (into.isEmpty())
                return QStringLiteral("%1 の後に%2を指定してください。").arg(argument, what);
            return std::nullopt;
        };
        std::optional<QString> problem;
        if (is("-h", "--help")) {
            parsed.help = true;
        } else if (is("-o", "--output")) {
            problem = value(parsed.output, QStringLiteral(" PDF ファイル"));
        } else if (is("-d", "--output-dir")) {
            problem = value(parsed.batch.outputDir, QStringLiteral("帳票のフォルダー"));
        } else if (is(nullptr, "--csv")) {
            problem = value(parsed.batch.table, QStringLiteral("一覧表のファイル"));
        } else if (is(nullptr, "--xlsx")) {
            problem = value(parsed.batch.workbook, QStringLiteral(" Excel ファイル"));
            // A workbook is a zip archive written by name: never to a pipe.
            if (!problem && parsed.batch.workbook == QStringLiteral("-"))
                problem = QStringLiteral("--xlsx には標準出力（-）を指定できません。ファイルの名前を指定してください。");
        } else if (is("-j", "--jobs")) {
            QString jobs;
            problem = value(jobs, QStringLiteral("同時に処理する数"));
            bool number = false;
            parsed.batch.jobs = jobs.toInt(&number);
            if (!problem && (parsed.jobsGiven || !number || parsed.batch.jobs < 1))
                problem = QStringLiteral("%1 には 1 以上の整数を一つだけ指定してください。").arg(argument);
            parsed.jobsGiven = true;
        } else if (is("-r", "--recursive")) {
            parsed.batch.recursive = true;
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            problem = QStringLiteral("知らないオプションです: %1").arg(argument);
        } else {
            parsed.inputs.append(argument);
        }
        if (problem)
            return *problem;
    }
    if (parsed.help)
        return parsed;
    if (parsed.inputs.isEmpty())
        return QStringLiteral("検討ファイルを指定してください。");
    if (parsed.isBatch()) {
        if (!parsed.output.isEmpty())
            return QStringLiteral("-o は -d、--csv、--xlsx と一緒には使えません（-d で帳票のフォルダーを指定します）。");
        parsed.batch.inputs = parsed.inputs;
        return parsed;
    }
    if (parsed.jobsGiven || parsed.batch.recursive)
        return QStringLiteral("-j と -r は -d、--csv、--xlsx のどれかと一緒に使います。");
    if (parsed.inputs.size() > 1)
        return QStringLiteral("検討ファイルは一つだけ指定してください（まとめて扱うには -d、--csv、--xlsx のどれかを付けます）。");
    if (parsed.output.isEmpty())
        return QStringLiteral("-o で PDF ファイルを指定してください。");
    return parsed;
}

}  // namespace talven
