#include "reportarguments.h"

#include "files/controlcharacters.h"
#include "study/fieldrules.h"

#include <QRegularExpression>

#include <algorithm>
#include <iterator>
#include <optional>

namespace talven {

namespace {

// --case NAME:WL1:WL2: the name may hold colons, the last two fields are
// numbers within the water levels' range.
std::optional<QString> addCase(const QString &text, std::vector<WaterLevelCase> &cases)
{
    static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
    const qsizetype second = text.lastIndexOf(u':');
    const qsizetype first = second > 0 ? text.lastIndexOf(u':', second - 1) : -1;
    const QString problem = QStringLiteral("--case は「名前:WL1:WL2」の形で、水位は -999.99 から 999.99 の数で"
                                           "指定してください: %1").arg(escapeControlCharacters(text));
    if (first < 0)
        return problem;
    WaterLevelCase levelCase{text.left(first), {}, {}, 0.0, 0.0, {}};
    if (levelCase.name.size() > CaseNameMaxLength)
        return QStringLiteral("--case のケース名は %1 文字までです: %2")
            .arg(CaseNameMaxLength)
            .arg(escapeControlCharacters(levelCase.name));
    const std::pair<Level, QString> levels[] = {{Level::Outer, text.mid(first + 1, second - first - 1)},
                                                {Level::Inner, text.mid(second + 1)}};
    for (const auto &[level, levelText] : levels) {
        const CaseLevelEdit edit = writeCaseLevel(levelCase, level, levelText);
        if (!number.match(levelText).hasMatch() || edit.message)
            return problem;
        levelCase = edit.levelCase;
    }
    // Equal levels have no head to check, as on the first tab.
    if (!hasHead(levelCase))
        return QStringLiteral("--case %1: %2").arg(escapeControlCharacters(text), headNotAboveZeroMessage().prompt);
    cases.push_back(refreshCaseLevels(levelCase));
    return std::nullopt;
}

}  // namespace

std::variant<ReportArguments, QString> parseReportArguments(const QStringList &arguments)
{
    ReportArguments parsed;
    ReportRequest &report = parsed.batch.report;
    std::vector<const PageSwitch *> switchesGiven;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        auto is = [&argument](const char *shortName, const char *longName) {
            return (shortName && argument == QLatin1StringView(shortName)) || argument == QLatin1StringView(longName);
        };
        // A flag of the page's options' tables, where it has one.
        auto isFlag = [&argument](const char *flag) { return flag && argument == QLatin1StringView(flag); };
        // The value of an option that takes one, once. A title block's field
        // and the page label may be given an empty text, which leaves it out
        // over the study's own (`given` then tells whether it came already).
        auto value = [&](QString &into, const QString &what, bool *given = nullptr) -> std::optional<QString> {
            if (++i == arguments.size() || (!given && arguments[i].isEmpty()))
                return QStringLiteral("%1 の後に%2を指定してください。").arg(argument, what);
            if (given ? *given : !into.isEmpty())
                return QStringLiteral("%1は一つだけ指定してください。").arg(what.trimmed());
            into = arguments[i];
            if (given)
                *given = true;
            return std::nullopt;
        };
        std::optional<QString> problem;
        // The title block's options, --job … --date: each takes a value, once.
        const auto field = std::find_if(TitleFields.begin(), TitleFields.end(), [&](const TitleField &known) {
            return argument == QStringLiteral("--") + QLatin1StringView(known.key);
        });
        // The page's options: a switch's either way once, a text once.
        const auto pageSwitch = std::find_if(PageSwitches.begin(), PageSwitches.end(), [&](const PageSwitch &known) {
            return isFlag(known.onFlag) || isFlag(known.offFlag);
        });
        const auto pageText = std::find_if(PageTexts.begin(), PageTexts.end(),
                                           [&](const PageText &known) { return isFlag(known.flag); });
        if (field != TitleFields.end()) {
            bool given = report.title.has(field->value);
            QString text;
            problem = value(text, QString::fromUtf16(field->label), &given);
            report.title.set(field->value, cappedTitleText(text));
        } else if (pageSwitch != PageSwitches.end()) {
            const bool twoWays = pageSwitch->onFlag && pageSwitch->offFlag;
            if (twoWays && std::find(switchesGiven.begin(), switchesGiven.end(), &*pageSwitch) != switchesGiven.end())
                problem = QStringLiteral("%1 と %2 は、どちらか一つを一度だけ指定してください。")
                              .arg(QLatin1StringView(pageSwitch->onFlag), QLatin1StringView(pageSwitch->offFlag));
            switchesGiven.push_back(&*pageSwitch);
            report.page.set(pageSwitch->value, isFlag(pageSwitch->onFlag));
        } else if (pageText != PageTexts.end()) {
            bool given = report.page.has(pageText->value);
            QString text;
            problem = value(text, QString::fromUtf16(pageText->label), &given);
            report.page.set(pageText->value, cappedTitleText(text));
        } else if (is(nullptr, "--case")) {
            QString text;
            problem = value(text, QStringLiteral("水位ケース（名前:WL1:WL2）"));
            if (!problem)
                problem = addCase(text, parsed.batch.cases);
        } else if (is("-h", "--help")) {
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
            problem = QStringLiteral("知らないオプションです: %1").arg(escapeControlCharacters(argument));
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
