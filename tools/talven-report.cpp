// talven-report STUDY.vek -o REPORT.pdf
// talven-report [-d DIR] [--csv FILE|-] [--xlsx FILE] [-j N] [-r] STUDY|FOLDER ...
//
// Opens a study file as File > Open does, writes its report as an A4 PDF
// with the printer's pens (within a binder's margins, with the calculation
// sheet on --sheet), and prints each section's verdict line. The
// batch form does the same for many studies and folders at once, with a
// summary table (src/reporttool).

#include "files/controlcharacters.h"
#include "files/platform.h"
#include "report/paintersurface.h"
#include "reportarguments.h"
#include "reporttool/exitstatus.h"
#include "reporttool/reportbatch.h"
#include "reporttool/studyjob.h"
#include "reporttool/terminal.h"

#include <QDate>
#include <QFontInfo>
#include <QGuiApplication>
#include <QStringList>

#include <optional>
#include <variant>

using namespace talven;

namespace {

QString usageText()
{
    return QStringLiteral(
        "使い方: talven-report 検討ファイル.vek -o 帳票.pdf\n"
        "        talven-report [-d フォルダー] [--csv 一覧.csv|-] [--xlsx 一覧.xlsx] [-j 数] [-r]\n"
        "                      検討ファイル|フォルダー ...\n"
        "どちらの形にも帳票のオプション（--job、--river、--place、--structure、--company、--designer、\n"
        "--checker、--date、--figures / --no-figures、--footer、--no-margins、--title-frame、\n"
        "--sheet / --no-sheet、--page-label）と --case を付けられます。\n");
}

QString helpText()
{
    return usageText() + QStringLiteral(
        "\n"
        "検討ファイル（*.vek）を開き、遮水矢板の設計の帳票を A4 の PDF に書き出します。\n"
        "ファイルはメニューの「開く」と同じ規則で読み込み、範囲外の数値は 0 として\n"
        "警告を標準エラーに書きます。そばにある水位ケースと表題欄のファイル（plan.talven.json）も\n"
        "読み込みます。水位ケースがいくつもあれば、⊿H が最大のケース（支配ケース）で照査し、\n"
        "2 ページ目に全ケースの表を印刷します。\n"
        "続けて鉛直方向と水平方向の照査結果を一行ずつ標準出力に書きます。\n"
        "  例: 鉛直方向　Ｃ′= 5.50 ＜ Ｃ = 8.50 ・・・ＮＧ\n"
        "\n"
        "-d、--csv、--xlsx のどれかを付けると、いくつもの検討ファイルとフォルダーをまとめて扱います。\n"
        "フォルダーからはその中の *.vek ファイルを名前順に取り出します（-r でサブフォルダーも）。\n"
        "名前が UTF-8 でない検討ファイルは、別のファイルと取り違えないよう読まずに「読み込めません」とし、\n"
        "一覧できないフォルダーはその名前を示してエラーとします（どちらも終了コード 1）。\n"
        "結果は引数の順に並び、照査結果の行と警告・エラーの行の頭にはファイル名が付きます。\n"
        "検討ファイルは全コアで並行して処理します。\n"
        "\n"
        "オプション:\n"
        "  -o, --output ファイル       書き出す PDF ファイル。新しい名前か通常のファイル（既にあれば、\n"
        "                              全部を書き終えてから置き換えます）\n"
        "  -d, --output-dir フォルダー  検討ファイルごとの PDF をこのフォルダーに書き出します\n"
        "                              （plan.vek → フォルダー/plan.pdf。置き換えは -o と同じ）\n"
        "      --csv ファイル          検討ファイルと方向ごとに一行の一覧表（CSV、UTF-8）を\n"
        "                              書き出します。- なら標準出力に書き、照査結果の行は省きます\n"
        "      --xlsx ファイル         同じ一覧表を Excel ファイル（.xlsx）のシート「照査結果」に\n"
        "                              書き出します（数値は小数 2 桁の数値、NG は赤）。シート「入力値」\n"
        "                              には検討ファイルと方向ごとの入力値、シート「設計調書（遮水工）」\n"
        "                              には検討ファイルごとの設計調書が一行ずつ並びます。印刷は A4 横、\n"
        "                              文字は 8 ポイント以上で、ページの上に業務名と作った日が入ります。\n"
        "                              - （標準出力）は指定できません\n"
        "  -j, --jobs 数               同時に処理する検討ファイルの数（既定: コアの数の 2 倍。\n"
        "                              多くても検討ファイルの数とコアの数の 4 倍まで）\n"
        "  -r, --recursive             フォルダーのサブフォルダーの検討ファイルも扱います\n"
        "      --case 名前:WL1:WL2     水位ケースを加えます（何度でも。名前には : を含められます。\n"
        "                              水位は -999.99 から 999.99。ケースは全部で 8 つまで）\n"
        "      --job 文字              帳票の表題欄に業務名を印刷します（表題欄のオプションは、\n"
        "                              検討ファイルが持つ表題欄より優先します）\n"
        "      --river 文字            河川名\n"
        "      --place 文字            所在地\n"
        "      --structure 文字        構造物名（樋門・樋管名）。省くと検討ファイルの表題欄のもの、\n"
        "                              それもなければ検討ファイルの名前（拡張子なし）\n"
        "      --company 文字          会社名\n"
        "      --designer 文字         設計者\n"
        "      --checker 文字          照査者\n"
        "      --date 文字             作成日。省くと検討ファイルの表題欄のもの、それもなければ\n"
        "                              帳票を作る日（2026年12月7日 のように）\n"
        "      --figures, --no-figures 照査結果の下に必要 ΣL、ΣL の過不足、許容水位差を\n"
        "                              印刷する（既定）／しない\n"
        "      --footer                用紙の下に検討ファイルの名前と「1 / 1」を印刷します\n"
        "                              （画面で覚えた帳票の設定は使いません）\n"
        "      --no-margins            とじしろを取りません（既定では用紙の端から上下 15 mm、\n"
        "                              左 20 mm、右 10 mm の余白の中に印刷します）\n"
        "      --title-frame           表題欄を枠で囲み、設計と照査の印の欄を付けます\n"
        "      --sheet, --no-sheet     帳票の後に計算書（設計条件、浸透路長、数値を入れた照査、\n"
        "                              ＮＧ なら ＯＫ になる矢板長、縮尺どおりの断面図）を付ける／\n"
        "                              付けない。省くと検討ファイルの帳票の設定のまま（なければ付けません）\n"
        "      --page-label 文字       ページの下の中央にページ番号（3-12 など。数字で終わると\n"
        "                              次のページから 3-13 …）と、右に「1 / 3」を印刷します。\n"
        "                              省くと検討ファイルの帳票の設定のまま、空の文字なら印刷しません\n"
        "  -h, --help                  この説明を表示します\n"
        "\n"
        "一覧表の列: ファイル、方向、計算式、土質の区分、Ｌ′、ΣL、⊿H、計算値 Ｃ′、必要値 Ｃ、\n"
        "判定（OK / NG）、ΣL の参考値、ΣL の過不足（不足は負）、許容 ⊿H、許容水位（上がる側の水位）、\n"
        "状態、検討ケース、WL1、WL2、支配（◎ が支配ケース）、構造物名、逆水位（内水位が外水位より\n"
        "高いケースに ○）。水位ケースと方向ごとに一行です。\n"
        "数値は画面の表示と同じです。\n"
        "= + - @ タブ 復帰 で始まる文字の欄には、表計算ソフトが式として扱わないよう\n"
        "頭に ' を付けます（数値の欄はそのままです）。\n"
        "-d を付けなければ帳票は作らず、照査だけをします。\n"
        "\n"
        "終了コード:\n"
        "  0   帳票を書き出しました（まとめて扱うときは、すべての検討ファイルについて。\n"
        "      -d がなければ照査しました）\n"
        "  1   検討ファイルを読み込めませんでした（通常のファイルでないものは読みません。\n"
        "      まとめて扱うときは、一覧できないフォルダーと名前が UTF-8 でない検討ファイルも）\n"
        "  2   帳票を作成できません（水位データとクリープ比を確認してください）\n"
        "  3   PDF ファイル（または一覧表、Excel ファイル）を書き出せませんでした（ディスクが一杯など。\n"
        "      前からあるファイルはそのまま残り、その照査結果は書きません）\n"
        "  64  引数に誤りがあります（PDF ファイルが検討ファイルそのものやその水位ケースと表題欄の\n"
        "      ファイル（plan.talven.json）、フォルダーや装置など通常のファイルでない、\n"
        "      引数のファイル名が UTF-8 でない、二つの検討ファイルの帳票が\n"
        "      同じ名前になる、書き出すファイルどうしや検討ファイルがリンクをたどると同じファイル\n"
        "      になる場合、--xlsx に - を指定した場合も含みます。何も書きません）\n"
        "  74  照査結果（または標準出力への一覧表）を書き込めませんでした（読み手が先に\n"
        "      終わったときも。帳票と一覧表のファイルは最後まで書き出します）\n"
        "まとめて扱うときは、出会ったうちで一番大きいコードで終わります。\n");
}

int usageError(const QString &problem)
{
    writeText(stderr, ProgramName + QStringLiteral(": ") + problem + u'\n' + usageText()
                      + QStringLiteral("詳しくは talven-report --help を見てください。\n"));
    return ExitUsage;
}

// An argument whose text names another file than its bytes (platform::
// argumentReadsExactly) is refused rather than read or written under a name
// the user did not give.
std::optional<QString> undecodableArgument(int argc, char *argv[], const QStringList &arguments)
{
    for (int i = 1; i < argc && i < arguments.size(); ++i) {
        if (!platform::argumentReadsExactly(argv[i], arguments[i]))
            return arguments[i];
    }
    return std::nullopt;
}

// Qt looks once, as the application starts, whether it runs in a sandbox
// by a file of the runtime folder; talven-report needs no runtime folder, and
// started from su, cron or ssh there is none, which Qt would mention on
// standard error. Its notes on that folder are left out while it starts.
QtMessageHandler toolkitMessageHandler = nullptr;

void withoutRuntimeFolderNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QStringLiteral("QStandardPaths: ")))
        toolkitMessageHandler(type, context, message);
}

int lostOutput()
{
    complain(QStringLiteral("標準出力に書き込めませんでした。"));
    return ExitLostOutput;
}

// One study, one report: warnings and problems on standard error, the
// verdict lines on standard output once the report is written.
int runSingle(const QString &study, const QString &output, const ReportRequest &request,
              const std::vector<WaterLevelCase> &cases)
{
    const StudyOutcome outcome = runStudyJob(study, output, request, cases);
    if (!printOutcome(outcome, QString()))
        return lostOutput();
    return outcome.exitStatus;
}

}  // namespace

int main(int argc, char *argv[])
{
    // A reader that goes away early (`| head`) must not end the run: the lost
    // lines are noticed as failed writes (exit 74), and every report and the
    // table are still written.
    platform::prepareStandardStreams();
    // Runs on a machine without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    toolkitMessageHandler = qInstallMessageHandler(withoutRuntimeFolderNotes);
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(toolkitMessageHandler);
    // Fonts are registered and looked up once here, before any worker thread
    // draws a report.
    registerReportFonts();
    QFontInfo(QFont(QStringLiteral("ＭＳ 明朝"))).family();

    // The application has taken its own options out of argc and argv.
    const QStringList commandLine = QGuiApplication::arguments();
    if (const std::optional<QString> name = undecodableArgument(argc, argv, commandLine))
        return usageError(
            QStringLiteral("UTF-8 として読めないファイル名は使えません: %1").arg(escapeControlCharacters(*name)));
    const auto parsed = parseReportArguments(commandLine);
    if (const QString *problem = std::get_if<QString>(&parsed))
        return usageError(*problem);
    ReportArguments arguments = std::get<ReportArguments>(parsed);
    if (arguments.help)
        return writeText(stdout, helpText()) ? ExitWritten : lostOutput();
    // 作成日 is the day the reports are made unless one is given; one date for the whole run.
    arguments.batch.report.day = reportDate(QDate::currentDate());
    if (arguments.isBatch())
        return runBatch(arguments.batch);
    return runSingle(arguments.inputs.first(), arguments.output, arguments.batch.report, arguments.batch.cases);
}
