#include "files/studyfile.h"

#include "files/codepage932.h"
#include "files/companionfile.h"
#include "files/controlcharacters.h"
#include "files/safefile.h"
#include "study/boxtable.h"
#include "study/numbers.h"
#include "study/soilclasses.h"

#include <QFile>
#include <QFileInfo>

namespace talven {

namespace {

// Line numbers of the file's groups: the names (one line per name box), the
// number boxes where the box table puts them, the method code, the ticks.
constexpr int FirstBaseValueLine = boxGroup(BoxGroup::Dimensions).firstFileLine;      // 19
constexpr int FirstVerticalLine = pileGroup(Section::Vertical).firstFileLine;         // 24
constexpr int FirstHorizontalLine = pileGroup(Section::Horizontal).firstFileLine;     // 31
constexpr int MethodCodeLine = FirstHorizontalLine + PileCount;                       // 38
constexpr int FirstFlagLine = MethodCodeLine + 1;                                     // 39
static_assert(FirstBaseValueLine == NameCount && FirstVerticalLine == FirstBaseValueLine + BaseValueCount);
static_assert(FirstFlagLine + DoubleFlagCount == StudyFileLineCount);

// Splits the bytes at CR LF, LF or a lone CR. A line end at the very end of
// the bytes opens no further line. Stops once more than `limit` lines are seen.
std::vector<QByteArrayView> splitLines(QByteArrayView bytes, int limit)
{
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    while (start < bytes.size() && int(lines.size()) <= limit) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines.push_back(bytes.sliced(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

Message unstorableTextMessage(const QString &what, const QString &text)
{
    return {QStringLiteral("次の%1はファイルに保存できない文字を含んでいます。\r\n「%2」").arg(what, text),
            MessageIcon::Exclamation, QStringLiteral("タルヴェン・書き込みエラー")};
}

// The bytes of one line, or nothing when its text would not come back
// unchanged: a character code page 932 lacks, or one that would break the line.
std::optional<QByteArray> encodeLine(const QString &text)
{
    if (text.contains(u'\r') || text.contains(u'\n'))
        return std::nullopt;
    return encodeCodePage932(text);
}

// Formula, ratio box and class as opening a file sets them from its code.
StudyEdit restoreMethod(Study study, const DecodedMethod &method)
{
    study = chooseFormula(study, method.formula);
    StudyEdit restored = writeNumberBox(study, CreepRatioBox, method.ratioText);
    restored.append(restoreSoilClass(restored.study, method.listIndex, restoredRatioText(method)));
    return restored;
}

// Whether saving what the code restores writes a code that restores the same
// formula, class and ratio value (an empty box and "0.0" both hold 0). Without
// a class the ratio box keeps whatever the code's remaining characters say,
// and from 100 up the saved ratio runs into the class digits, so the saved
// file would open as another study or not at all.
bool writesBackUnchanged(const DecodedMethod &method)
{
    const Study opened = restoreMethod(Study{}, method).study;
    const DecodedMethod savedMethod = decodeMethodCode(generalNumber(studyFileContent(opened).methodCode));
    if (savedMethod.formula != opened.formula || savedMethod.listIndex != opened.soilClass)
        return false;
    return restoreMethod(Study{}, savedMethod).study.record.creepRatio == opened.record.creepRatio;
}

// Reads only a regular file (or a link to one): anything else is refused
// before it is opened, since opening a FIFO waits for a writer.
std::variant<QByteArray, StudyFileRefusal> readRegularFile(const QString &path, qint64 limit)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return StudyFileRefusal::NotAFile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return StudyFileRefusal::CannotOpen;
    if (file.size() > limit)
        return StudyFileRefusal::TooLarge;
    // The size may not be known beforehand (a pipe, a special file): never
    // take in more than one byte past the limit.
    const QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return StudyFileRefusal::CannotOpen;
    if (bytes.size() > limit)
        return StudyFileRefusal::TooLarge;
    return bytes;
}

// What is in a companion's place before a save: nothing, a file that this
// version cannot read, one saved with another study file (`recorded` names
// it), or what the save simply replaces (the study's own, a link) or cannot
// (a folder, which the save then names).
struct CompanionBeside {
    enum Kind { Missing, Unreadable, OtherStudy, Replaceable } kind = Missing;
    QString recorded;
};

CompanionBeside companionBeside(const QString &studyPath)
{
    const QString path = companionPath(studyPath);
    const QFileInfo companion(path);
    if (platform::isLink(path) || (companion.exists() && !companion.isFile()))
        return {CompanionBeside::Replaceable, {}};
    if (!companion.exists())
        return {CompanionBeside::Missing, {}};
    const std::variant<QByteArray, StudyFileRefusal> bytes = readRegularFile(path, CompanionMaxBytes);
    const auto *read = std::get_if<QByteArray>(&bytes);
    const std::optional<QString> recorded = read ? recordedStudyFile(*read) : std::nullopt;
    if (!recorded)
        return {CompanionBeside::Unreadable, {}};
    if (!belongsTo(*recorded, platform::actualFileName(studyPath)))
        return {CompanionBeside::OtherStudy, *recorded};
    return {CompanionBeside::Replaceable, {}};
}

}  // namespace

StudyFileContent studyFileContent(const Study &study)
{
    StudyFileContent content;
    content.names = study.nameTexts;
    content.numberTexts = study.numberTexts;
    content.methodCode = buildMethodCode(study.formula, study.soilClass, leadingNumber(study.ratioText()));
    content.doubleFlags = study.record.doubleFlags;
    return content;
}

std::array<QString, StudyFileLineCount> studyFileLines(const StudyFileContent &content)
{
    std::array<QString, StudyFileLineCount> lines;
    for (int i = 0; i < NameCount; ++i)
        lines[i] = trimmedName(content.names[i]);
    for (const BoxGroupInfo &group : BoxGroups) {
        for (int row = 0; group.firstFileLine >= 0 && row < group.count; ++row)
            lines[group.firstFileLine + row] = content.numberTexts[group.firstBox + row].trimmed();
    }
    lines[MethodCodeLine] = generalNumber(content.methodCode);
    for (int i = 0; i < DoubleFlagCount; ++i)
        lines[FirstFlagLine + i] = content.doubleFlags[i] != 0 ? QStringLiteral("1") : QStringLiteral("0");
    return lines;
}

std::variant<ParsedStudy, StudyFileRefusal> parseStudyFile(const QByteArray &bytes)
{
    if (bytes.size() > StudyFileMaxBytes)
        return StudyFileRefusal::TooLarge;
    const std::vector<QByteArrayView> rawLines = splitLines(bytes, StudyFileLineCount);
    if (rawLines.size() > std::size_t(StudyFileLineCount))
        return StudyFileRefusal::TooManyLines;

    std::array<QString, StudyFileLineCount> lines;
    for (std::size_t i = 0; i < rawLines.size(); ++i)
        lines[i] = decodeCodePage932(rawLines[i]);

    ParsedStudy study;
    for (int i = 0; i < NameCount; ++i)
        study.names[i] = lines[i];
    for (int i = 0; i < BaseValueCount; ++i)
        study.baseValues[i] = leadingNumber(lines[FirstBaseValueLine + i]);
    for (int i = 0; i < PileCount; ++i) {
        study.verticalLengths[i] = leadingNumber(lines[FirstVerticalLine + i]);
        study.horizontalLengths[i] = leadingNumber(lines[FirstHorizontalLine + i]);
    }
    study.methodCode = leadingNumber(lines[MethodCodeLine]);
    for (int i = 0; i < DoubleFlagCount; ++i) {
        const double flag = leadingNumber(lines[FirstFlagLine + i]);
        if (flag != 0.0 && flag != 1.0)
            return StudyFileRefusal::BadTick;
        study.doubleFlags[i] = int(flag);
    }
    study.method = decodeMethodCode(generalNumber(study.methodCode));
    const auto classCount = qsizetype(soilClasses(study.method.formula).size());
    if (study.method.listIndex < -1 || study.method.listIndex >= classCount)
        return StudyFileRefusal::BadClassIndex;
    if (!writesBackUnchanged(study.method))
        return StudyFileRefusal::BadMethodCode;
    return study;
}

StudyFileReadResult readStudyFile(const QString &path)
{
    const std::variant<QByteArray, StudyFileRefusal> bytes = readRegularFile(path, StudyFileMaxBytes);
    if (const auto *refusal = std::get_if<StudyFileRefusal>(&bytes))
        return *refusal;
    const StudyFileReadResult read = readStudy(std::get<QByteArray>(bytes));
    const auto *opened = std::get_if<StudyEdit>(&read);
    const QString companion = companionPath(path);
    if (!opened || !QFileInfo::exists(companion))
        return read;
    const std::variant<QByteArray, StudyFileRefusal> companionBytes = readRegularFile(companion, CompanionMaxBytes);
    if (std::holds_alternative<StudyFileRefusal>(companionBytes)) {
        StudyEdit alone = *opened;
        alone.messages.push_back(unreadableCompanionMessage(companion));
        return alone;
    }
    return applyCompanion(*opened, path, std::get<QByteArray>(bytes), std::get<QByteArray>(companionBytes));
}

StudyFileReadResult readStudy(const QByteArray &bytes)
{
    const std::variant<ParsedStudy, StudyFileRefusal> parsed = parseStudyFile(bytes);
    if (const auto *refusal = std::get_if<StudyFileRefusal>(&parsed))
        return *refusal;
    return restoreStudy(std::get<ParsedStudy>(parsed));
}

Message overwriteQuestion(const QString &path)
{
    return {QStringLiteral("「") + QFileInfo(path).fileName()
                + QStringLiteral("」は既に存在します。\r\n上書きしますか？"),
            MessageIcon::Question, QStringLiteral("タルヴェン・保存")};
}

Message readErrorMessage()
{
    return {QStringLiteral("ファイル読み込みを中止しました。"), MessageIcon::Exclamation,
            QStringLiteral("タルヴェン・読み込みエラー")};
}

std::variant<QByteArray, Message> encodeStudyFile(const StudyFileContent &content)
{
    const std::array<QString, StudyFileLineCount> lines = studyFileLines(content);
    QByteArray bytes;
    for (int i = 0; i < StudyFileLineCount; ++i) {
        const std::optional<QByteArray> line = encodeLine(lines[i]);
        if (!line) {
            const QString what = i < NameCount ? QStringLiteral("名称") : QStringLiteral("数値");
            return unstorableTextMessage(what, lines[i]);
        }
        bytes += *line;
        bytes += "\r\n";
    }
    return bytes;
}

std::optional<Message> writeStudyFile(const QString &path, const StudyFileContent &content)
{
    const std::variant<QByteArray, Message> encoded = encodeStudyFile(content);
    if (const Message *refusal = std::get_if<Message>(&encoded))
        return *refusal;
    if (const std::optional<WriteFailure> failed = writeFileSafely(path, std::get<QByteArray>(encoded)))
        return writeErrorMessage(*failed, path);
    return std::nullopt;
}

StudySave saveStudy(const QString &path, const Study &study)
{
    const std::variant<QByteArray, Message> encoded = encodeStudyFile(studyFileContent(study));
    if (const Message *refusal = std::get_if<Message>(&encoded))
        return {false, *refusal};
    const QByteArray &studyBytes = std::get<QByteArray>(encoded);
    const QString companion = companionPath(path);
    SafeFile studyFile(path);
    SafeFile companionFile(companion);
    for (const auto &[file, bytes] :
         {std::pair{&studyFile, studyBytes}, {&companionFile, encodeCompanion(study, QFileInfo(path).fileName(), studyBytes)}}) {
        std::optional<WriteFailure> failed = file->open();
        if (!failed)
            failed = file->write(bytes);
        if (failed)
            return {false, writeErrorMessage(*failed, file->target())};
    }
    // The study file last: once it is replaced, so is its companion.
    const QString kept =
        companionBeside(path).kind == CompanionBeside::Unreadable ? keptCompanionPath(companion) : QString();
    if (const std::optional<SafeFileFailure> failed = commitBoth(companionFile, studyFile, kept))
        return {false, writeErrorMessage(failed->cause, failed->target)};
    if (kept.isEmpty())
        return {true, std::nullopt};
    return {true, keptCompanionMessage(companion, kept)};
}

std::optional<Message> companionQuestion(const QString &path, bool ownFile)
{
    const CompanionBeside beside = companionBeside(path);
    if (beside.kind == CompanionBeside::OtherStudy)
        return takeOverQuestion(path, beside.recorded);
    if (!ownFile && beside.kind != CompanionBeside::Missing)
        return overwriteQuestion(companionPath(path));
    return std::nullopt;
}

Message writeErrorMessage(WriteFailure failure, const QString &path)
{
    QString prompt = QStringLiteral("ファイル書き込みを中止しました。\r\n「%1」に書き込めません。")
                         .arg(escapeControlCharacters(QFileInfo(path).fileName()));
    switch (failure) {
    case WriteFailure::NoPermission:
        prompt += QStringLiteral("\r\n保存先のフォルダーに書き込む権限がありません。");
        break;
    case WriteFailure::DiskFull:
        prompt += QStringLiteral("\r\nディスクの空き容量が足りません。");
        break;
    case WriteFailure::ReadOnly:
        prompt += QStringLiteral("\r\n保存先が読み取り専用です。");
        break;
    case WriteFailure::NameTooLong:
        prompt += QStringLiteral("\r\nファイル名が長すぎます。");
        break;
    case WriteFailure::NoFolder:
        prompt += QStringLiteral("\r\n保存先のフォルダーが見つかりません。");
        break;
    case WriteFailure::Unknown:
        break;
    }
    return {prompt, MessageIcon::Exclamation, QStringLiteral("タルヴェン・書き込みエラー")};
}

QString withStudyExtension(const QString &fileName)
{
    if (fileName.right(4).toLower() == u".vek")
        return fileName;
    return fileName + QStringLiteral(".vek");
}

StudyEdit restoreStudy(const ParsedStudy &parsed)
{
    Study study;
    StudyRecord &record = study.record;
    record.names = parsed.names;
    record.baseValues = parsed.baseValues;
    record.verticalLengths = parsed.verticalLengths;
    record.horizontalLengths = parsed.horizontalLengths;
    record.methodCode = parsed.methodCode;
    record.doubleFlags = parsed.doubleFlags;
    StudyEdit restored = restoreMethod(study, parsed.method);
    restored.append(refreshBoxes(restored.study));
    return restored;
}

}  // namespace talven
