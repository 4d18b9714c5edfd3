// talven-report STUDY.vek -o REPORT.pdf
//
// Opens a study file as File > Open does, writes its one-page report as an A4
// PDF with the printer's pens, and prints each section's verdict line, so a
// folder of studies can be checked in one go.

#include "check/creepcheck.h"
#include "files/studyfile.h"
#include "report/drawreport.h"
#include "report/paintersurface.h"
#include "reportpdf.h"

#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <variant>

using namespace talven;

namespace {

const QString ProgramName = QStringLiteral("talven-report");

// False when the text did not reach the stream (a full disk, say). A lost
// message on standard error has nowhere else to go; the exit status still tells.
bool writeText(std::FILE *stream, const QString &text)
{
    const bool written = std::fputs(text.toUtf8().constData(), stream) >= 0;
    return std::fflush(stream) == 0 && written;
}

// Message boxes break lines with CR LF; a terminal wants LF.
QString terminalText(const QString &prompt)
{
    QString text = prompt;
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString usageText()
{
    return QStringLiteral("使い方: talven-report 検討ファイル.vek -o 帳票.pdf\n");
}

QString helpText()
{
    return usageText() + QStringLiteral(
        "\n"
        "検討ファイル（*.vek）を開き、遮水矢板の設計の帳票を A4 一枚の PDF に書き出します。\n"
        "ファイルはメニューの「開く」と同じ規則で読み込み、範囲外の数値は 0 として\n"
        "警告を標準エラーに書きます。\n"
        "続けて鉛直方向と水平方向の照査結果を一行ずつ標準出力に書きます。\n"
        "  例: 鉛直方向　Ｃ′= 5.50 ＜ Ｃ = 8.50 ・・・ＮＧ\n"
        "\n"
        "オプション:\n"
        "  -o, --output ファイル  書き出す PDF ファイル。新しい名前か通常のファイル（既にあれば、\n"
        "                         全部を書き終えてから置き換えます）\n"
        "  -h, --help             この説明を表示します\n"
        "\n"
        "終了コード:\n"
        "  0   帳票を書き出しました\n"
        "  1   検討ファイルを読み込めませんでした（通常のファイルでないものは読みません）\n"
        "  2   帳票を作成できません（水位データとクリープ比を確認してください）\n"
        "  3   PDF ファイルを書き出せませんでした（ディスクが一杯など。前からあるファイルは\n"
        "      そのまま残り、照査結果は書きません）\n"
        "  64  引数に誤りがあります（PDF ファイルが検討ファイルそのもの、フォルダーや装置など\n"
        "      通常のファイルでない、ファイル名が UTF-8 でない場合も含みます。何も書きません）\n"
        "  74  照査結果を標準出力に書き込めませんでした（PDF ファイルは書き出してあります）\n");
}

int usageError(const QString &problem)
{
    writeText(stderr, ProgramName + QStringLiteral(": ") + problem + u'\n' + usageText()
                      + QStringLiteral("詳しくは talven-report --help を見てください。\n"));
    return ExitUsage;
}

struct Arguments {
    QString study;
    QString output;
    bool help = false;
};

// Either the arguments or the problem with them.
std::variant<Arguments, QString> parseArguments(const QStringList &arguments)
{
    Arguments parsed;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == QStringLiteral("-h") || argument == QStringLiteral("--help")) {
            parsed.help = true;
        } else if (argument == QStringLiteral("-o") || argument == QStringLiteral("--output")) {
            if (++i == arguments.size())
                return QStringLiteral("%1 の後に PDF ファイルを指定してください。").arg(argument);
            if (!parsed.output.isEmpty())
                return QStringLiteral("PDF ファイルは一つだけ指定してください。");
            parsed.output = arguments[i];
        } else if (argument.startsWith(u'-') && argument.size() > 1) {
            return QStringLiteral("知らないオプションです: %1").arg(argument);
        } else {
            if (!parsed.study.isEmpty())
                return QStringLiteral("検討ファイルは一つだけ指定してください。");
            parsed.study = argument;
        }
    }
    if (parsed.help)
        return parsed;
    if (parsed.study.isEmpty())
        return QStringLiteral("検討ファイルを指定してください。");
    if (parsed.output.isEmpty())
        return QStringLiteral("-o で PDF ファイルを指定してください。");
    return parsed;
}

// On Unix the arguments are bytes, which Qt decodes as UTF-8 (Linux, whatever
// the locale): bytes that are not UTF-8 become U+FFFD, and the file the decoded
// text names is another one. An argument that does not encode back to its own
// bytes is refused rather than read or written under a name the user did not
// give. Windows hands over the command line in UTF-16.
std::optional<QString> undecodableArgument(int argc, char *argv[], const QStringList &arguments)
{
#ifdef Q_OS_UNIX
    for (int i = 1; i < argc && i < arguments.size(); ++i) {
        if (QFile::encodeName(arguments[i]) != QByteArray(argv[i]))
            return arguments[i];
    }
#else
    Q_UNUSED(argc)
    Q_UNUSED(argv)
    Q_UNUSED(arguments)
#endif
    return std::nullopt;
}

int lostOutput()
{
    writeText(stderr, ProgramName + QStringLiteral(": 標準出力に書き込めませんでした。\n"));
    return ExitLostOutput;
}

}  // namespace

int main(int argc, char *argv[])
{
    // Runs on a machine without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerReportFonts();

    // The application has taken its own options out of argc and argv.
    const QStringList commandLine = QGuiApplication::arguments();
    if (const std::optional<QString> name = undecodableArgument(argc, argv, commandLine))
        return usageError(QStringLiteral("UTF-8 として読めないファイル名は使えません: %1").arg(*name));
    const auto parsed = parseArguments(commandLine);
    if (const QString *problem = std::get_if<QString>(&parsed))
        return usageError(*problem);
    const Arguments &arguments = std::get<Arguments>(parsed);
    if (arguments.help)
        return writeText(stdout, helpText()) ? ExitWritten : lostOutput();

    const StudyFileReadResult read = readStudyFile(arguments.study);
    const ParsedStudy *study = std::get_if<ParsedStudy>(&read);
    if (!study) {
        writeText(stderr, ProgramName + QStringLiteral(": ") + arguments.study + QStringLiteral(": ")
                          + terminalText(readErrorMessage().prompt) + u'\n');
        return ExitRefused;
    }

    const RestoredStudy restored = restoreStudy(*study);
    for (const Message &message : restored.messages)
        writeText(stderr, ProgramName + QStringLiteral(": 警告: ") + terminalText(message.prompt)
                          + u'\n');

    const ReportInput input{restored.record, restored.formula, restored.listIndex,
                            restored.verticalTicks, restored.horizontalTicks};
    QStringList verdictLines;
    for (Section section : {Section::Vertical, Section::Horizontal}) {
        if (const std::optional<SectionVerdict> verdict = reportVerdict(input, section))
            verdictLines.append(sectionName(section) + QStringLiteral("　")
                                + verdict->items().join(u' ') + u'\n');
    }
    if (reportNotReady(restored.record) || verdictLines.size() != 2) {
        writeText(stderr, ProgramName + QStringLiteral(": ") + arguments.study + QStringLiteral(": ")
                          + terminalText(reportNotReadyMessage().prompt) + u'\n');
        return ExitNotReady;
    }

    const PdfResult pdf = writeReportPdf(arguments.study, arguments.output, input);
    if (pdf.outcome != PdfOutcome::Written) {
        writeText(stderr, ProgramName + QStringLiteral(": ") + pdf.message + u'\n');
        return pdf.exitStatus();
    }
    return writeText(stdout, verdictLines.join(QString())) ? ExitWritten : lostOutput();
}
