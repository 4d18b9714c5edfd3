// talven-report STUDY.vek -o REPORT.pdf
//
// Opens a study file as File > Open does, writes its one-page report as an A4
// PDF with the printer's pens, and prints each section's verdict line, so a
// folder of studies can be checked in one go.

#include "check/creepcheck.h"
#include "files/studyfile.h"
#include "report/drawreport.h"
#include "report/paintersurface.h"

#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>
#include <optional>
#include <variant>

using namespace talven;

namespace {

// Exit statuses; 64 is the usual one for a wrong command line.
constexpr int ExitRefused = 1;
constexpr int ExitNotReady = 2;
constexpr int ExitCannotWrite = 3;
constexpr int ExitUsage = 64;

constexpr int PdfResolution = 600;

const QString ProgramName = QStringLiteral("talven-report");

void writeText(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
    std::fflush(stream);
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
        "  -o, --output ファイル  書き出す PDF ファイル（既にあれば置き換えます）\n"
        "  -h, --help             この説明を表示します\n"
        "\n"
        "終了コード:\n"
        "  0   帳票を書き出しました\n"
        "  1   検討ファイルを読み込めませんでした\n"
        "  2   帳票を作成できません（水位データとクリープ比を確認してください）\n"
        "  3   PDF ファイルを書き出せませんでした\n"
        "  64  引数に誤りがあります\n");
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

// A4 portrait from the sheet's top-left corner, like the preview page; the
// file replaces an existing one only once the whole report is in it.
bool writePdf(const QString &path, const ReportInput &input)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(PdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0)));
        writer.setCreator(QStringLiteral("タルヴェン"));
        writer.setTitle(QStringLiteral("遮水矢板の設計"));
        QPainter painter;
        if (!painter.begin(&writer))
            return false;
        PainterSurface surface(painter, true);
        const ReportResult result = drawReport(surface, input);
        if (!painter.end() || !result.complete)
            return false;
    }
    return file.commit();
}

}  // namespace

int main(int argc, char *argv[])
{
    // Runs on a machine without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerReportFonts();

    const auto parsed = parseArguments(QGuiApplication::arguments());
    if (const QString *problem = std::get_if<QString>(&parsed))
        return usageError(*problem);
    const Arguments &arguments = std::get<Arguments>(parsed);
    if (arguments.help) {
        writeText(stdout, helpText());
        return 0;
    }

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

    if (!writePdf(arguments.output, input)) {
        writeText(stderr, ProgramName + QStringLiteral(": ") + arguments.output
                          + QStringLiteral(": PDF ファイルを書き出せませんでした。\n"));
        return ExitCannotWrite;
    }
    writeText(stdout, verdictLines.join(QString()));
    return 0;
}
