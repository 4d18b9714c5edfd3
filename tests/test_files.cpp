#include "files/companionfile.h"
#include "files/studyfile.h"

#include "study/methodcode.h"
#include "study/soilclasses.h"
#include "workedexample.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif
#include <cmath>
#include <map>

using namespace talven;
using namespace Qt::Literals::StringLiterals;

namespace {

using Lines = std::map<int, QByteArray>;

// A study file of `count` lines, each ending with `end`; lines not given are empty.
QByteArray fileOf(const Lines &lines, int count = StudyFileLineCount, const QByteArray &end = "\r\n")
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += (lines.count(i) ? lines.at(i) : QByteArray()) + end;
    return bytes;
}

constexpr int Accepted = -1;

template <typename Read>
int outcomeOf(const Read &result)
{
    if (const auto *refusal = std::get_if<StudyFileRefusal>(&result))
        return int(*refusal);
    return Accepted;
}

ParsedStudy parsedOf(const QByteArray &bytes)
{
    const auto result = parseStudyFile(bytes);
    if (const auto *study = std::get_if<ParsedStudy>(&result))
        return *study;
    qWarning("file refused: %d", outcomeOf(result));
    return {};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

bool isNear(double a, double b)
{
    return std::fabs(a - b) < 1e-9;
}

#define COMPARE_NEAR(actual, expected)                                                        \
    QVERIFY2(isNear(actual, expected), qPrintable(QStringLiteral("%1 is %2, expected %3")      \
                                                    .arg(QString::fromLatin1(#actual))      \
                                                    .arg(actual, 0, 'g', 17)                \
                                                    .arg(expected, 0, 'g', 17)))

const QString WriteCaption = QStringLiteral("タルヴェン・書き込みエラー");
// The failed write's message: the file that failed on its second line, the cause (when known) on a third.
Message writeFailed(const QString &path, const QString &cause = QString())
{
    return {u"ファイル書き込みを中止しました。\r\n「%1」に書き込めません。"_s.arg(QFileInfo(path).fileName())
                + (cause.isEmpty() ? QString() : u"\r\n"_s + cause),
            MessageIcon::Exclamation, WriteCaption};
}
const Message MessageA{QStringLiteral("数値は0から99.99の範囲で入力してください"), MessageIcon::Exclamation,
                       QStringLiteral("タルヴェン・数値が範囲を超えています")};
const Message MessageB{QStringLiteral("数値は-999.99から999.99の範囲で入力してください"), MessageIcon::Exclamation,
                       QStringLiteral("タルヴェン・数値が範囲を超えています")};
const Message MessageC{QStringLiteral("数値は５から９の範囲で入力してください"), MessageIcon::Exclamation,
                       QStringLiteral("タルヴェン・範囲外の数値です")};

Message unstorable(const QString &what, const QString &text)
{
    return {QStringLiteral("次の%1はファイルに保存できない文字を含んでいます。\r\n「%2」").arg(what, text), MessageIcon::Exclamation,
            WriteCaption};
}

// A study of two more cases and a title block, for its companion.
Study studyWithCases()
{
    Study study = restoreStudy(parsedOf(fileOf({{22, "3"}, {23, "1"}}))).study;
    std::vector<WaterLevelCase> more(2);
    for (const auto &[index, name, outer, inner] : {std::tuple{0, u"既往"_s, u"3.4"_s, u"1"_s}, {1, u"施工"_s, u"3"_s, u"1.7"_s}}) {
        more[index] = writeCaseLevel({name, {}, {}, 0, 0, {}}, Level::Outer, outer).levelCase;
        more[index] = refreshCaseLevels(writeCaseLevel(more[index], Level::Inner, inner).levelCase);
    }
    study = withCases(study, more);
    study.firstCaseName = u"計画"_s;
    study.titleBlock = TitleBlock{u"業務"_s, u"樋門A"_s, {}, {}, {}, {}, {}, {}};
    return study;
}

StudyFileContent sampleContent()
{
    StudyFileContent content;
    for (int i = 0; i < NameCount; ++i)
        content.names[i] = QStringLiteral("  名称%1　 ").arg(i);  // ASCII and ideographic blanks
    for (int i = 0; i < NumberBoxCount; ++i)
        content.numberTexts[i] = QStringLiteral(" %1.125 ").arg(i + 1);
    content.numberTexts[InnerWaterLevelBox] = QStringLiteral("-3.456");
    content.methodCode = buildMethodCode(Formula::Lane, 0, 8.5);
    for (int i = 0; i < DoubleFlagCount; ++i)
        content.doubleFlags[i] = i % 3 == 0 ? 1 : 0;
    return content;
}

}  // namespace

Q_DECLARE_METATYPE(Message)
Q_DECLARE_METATYPE(std::vector<Message>)

namespace talven {
char *toString(const Message &message)
{
    return QTest::toString(QStringLiteral("%1 / %2 / %3").arg(message.prompt).arg(int(message.icon)).arg(message.caption));
}
}  // namespace talven

class TestFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lineLayout_data();
    void lineLayout();
    void writtenBytes();
    void roundTrip_data();
    void roundTrip();
    void outcome_data();
    void outcome();
    void cannotOpen_data();
    void cannotOpen();
    void lineEnds_data();
    void lineEnds();
    void emptyFile();
    void ticks_data();
    void ticks();
    void decoding_data();
    void decoding();
    void controlCharactersKept();
    void unstorableText_data();
    void unstorableText();
    void failedWrite_data();
    void failedWrite();
    void failureMidWrite();
    void extension_data();
    void extension();
    void restoreClass_data();
    void restoreClass();
    void restoreNumbers_data();
    void restoreNumbers();
    void companion_data();
    void companion();
    void companionPlacement_data();
    void companionPlacement();
    void companionSave_data();
    void companionSave();
    void companionProvenance_data();
    void companionProvenance();

private:
    QTemporaryDir scratch_;
};

void TestFiles::lineLayout_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("first name trimmed") << 0 << QStringLiteral("名称0");
    QTest::newRow("last name") << 18 << QStringLiteral("名称18");
    QTest::newRow("first dimension") << 19 << QStringLiteral("1.125");
    QTest::newRow("water level 2") << 23 << QStringLiteral("-3.456");
    QTest::newRow("first vertical is box 6") << 24 << QStringLiteral("7.125");
    QTest::newRow("last vertical is box 12") << 30 << QStringLiteral("13.125");
    QTest::newRow("first horizontal is box 13") << 31 << QStringLiteral("14.125");
    QTest::newRow("last horizontal is box 19") << 37 << QStringLiteral("20.125");
    QTest::newRow("method code") << 38 << QStringLiteral("20108.5");
    QTest::newRow("first flag") << 39 << QStringLiteral("1");
    QTest::newRow("second flag") << 40 << QStringLiteral("0");
    QTest::newRow("last flag") << 52 << QStringLiteral("0");
    QTest::newRow("flag 12") << 51 << QStringLiteral("1");
}

void TestFiles::lineLayout()
{
    QFETCH(int, line);
    QFETCH(QString, expected);
    QCOMPARE(studyFileLines(sampleContent())[line], expected);
}

void TestFiles::writtenBytes()
{
    StudyFileContent content;
    content.names[0] = QStringLiteral(" 日本 ");
    content.names[18] = QStringLiteral("ｱ亜");
    content.numberTexts[0] = QStringLiteral("3.5");
    content.methodCode = buildMethodCode(Formula::Bligh, 0, 18);
    content.doubleFlags[13] = 1;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.vek"));
    QCOMPARE(writeStudyFile(path, content).value_or(Message{}), Message{});
    const QByteArray expected =
        fileOf({{0, "\x93\xfa\x96\x7b"}, {18, "\xb1\x88\x9f"}, {19, "3.5"}, {38, "10118"},
                {39, "0"}, {40, "0"}, {41, "0"}, {42, "0"}, {43, "0"}, {44, "0"}, {45, "0"},
                {46, "0"}, {47, "0"}, {48, "0"}, {49, "0"}, {50, "0"}, {51, "0"}, {52, "1"}});
    QCOMPARE(readAll(path), expected);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plan.vek")});
}

void TestFiles::roundTrip_data()
{
    QTest::addColumn<int>("formula");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<double>("typedRatio");  // the ratio box's number when saved
    QTest::addColumn<QString>("ratioText");   // the box after opening
    for (const Formula formula : {Formula::Bligh, Formula::Lane}) {
        const auto classes = soilClasses(formula);
        const char *name = formula == Formula::Bligh ? "Bligh" : "Lane";
        for (int i = 0; i < int(classes.size()); ++i) {
            const QString text = QString::fromUtf16(classes[i].ratioText);
            QTest::addRow("%s class %d", name, i) << int(formula) << i << text.toDouble() << text;
        }
        QTest::addRow("%s no class", name) << int(formula) << -1 << 0.0
                                           << (formula == Formula::Bligh ? QStringLiteral("0") : QStringLiteral("0.0"));
    }
    QTest::newRow("Bligh ranged 7.5") << int(Formula::Bligh) << 3 << 7.5 << QStringLiteral("7.5");
    QTest::newRow("Bligh ranged 7") << int(Formula::Bligh) << 3 << 7.0 << QStringLiteral("7");
    QTest::newRow("Bligh ranged 9") << int(Formula::Bligh) << 3 << 9.0 << QStringLiteral("9");
}

void TestFiles::roundTrip()
{
    QFETCH(int, formula);
    QFETCH(int, listIndex);
    QFETCH(double, typedRatio);
    QFETCH(QString, ratioText);
    StudyFileContent content = sampleContent();
    content.methodCode = buildMethodCode(Formula(formula), listIndex, typedRatio);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("study.vek"));
    QCOMPARE(writeStudyFile(path, content).value_or(Message{}), Message{});
    const StudyFileReadResult result = readStudyFile(path);
    QCOMPARE(outcomeOf(result), Accepted);
    const StudyEdit opened = std::get<StudyEdit>(result);
    const Study &study = opened.study;

    QCOMPARE(int(study.formula), formula);
    QCOMPARE(study.soilClass, listIndex);
    QCOMPARE(study.ratioText(), ratioText);
    QCOMPARE(study.ratioEditable(), isRangedClass(Formula(formula), listIndex));
    COMPARE_NEAR(study.record.creepRatio, ratioText.toDouble());
    QCOMPARE(opened.messages.size(), std::size_t(0));
    for (int i = 0; i < NameCount; ++i)
        QCOMPARE(study.record.names[i], QStringLiteral("名称%1").arg(i));
    // Three decimals come back rounded to two, half away from zero.
    COMPARE_NEAR(study.record.baseValues[0], 1.13);
    COMPARE_NEAR(study.record.baseValues[InnerWaterLevelBox], -3.46);
    COMPARE_NEAR(study.record.verticalLengths[6], 13.13);
    COMPARE_NEAR(study.record.horizontalLengths[0], 14.13);
    QCOMPARE(study.record.doubleFlags, content.doubleFlags);
    QCOMPARE(study.ticks(Section::Vertical)[0], true);
    QCOMPARE(study.ticks(Section::Vertical)[1], false);
    QCOMPARE(study.ticks(Section::Horizontal)[2], true);  // flag 9
    QCOMPARE(study.ticks(Section::Horizontal)[6], false);  // flag 13
}

void TestFiles::outcome_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expected");
    const int tooMany = int(StudyFileRefusal::TooManyLines);
    const int badTick = int(StudyFileRefusal::BadTick);
    const int badClass = int(StudyFileRefusal::BadClassIndex);
    const int tooLarge = int(StudyFileRefusal::TooLarge);
    const int badCode = int(StudyFileRefusal::BadMethodCode);
    const QByteArray full = fileOf({});
    QTest::newRow("53 lines") << full << Accepted;
    QTest::newRow("54th line empty") << full + "\r\n" << tooMany;
    QTest::newRow("54th line empty LF") << fileOf({}, 54, "\n") << tooMany;
    QTest::newRow("54th line empty CR") << fileOf({}, 54, "\r") << tooMany;
    QTest::newRow("54th line without end") << full + "x" << tooMany;
    QTest::newRow("54th line a lone blank") << full + " " << tooMany;
    QTest::newRow("last line without end") << full.chopped(2) << Accepted;
    QTest::newRow("100 lines") << fileOf({}, 100) << tooMany;
    QTest::newRow("tick 2") << fileOf({{39, "2"}}) << badTick;
    QTest::newRow("tick -1") << fileOf({{45, "-1"}}) << badTick;
    QTest::newRow("tick 0.5") << fileOf({{52, "0.5"}}) << badTick;
    QTest::newRow("tick 10") << fileOf({{40, "10"}}) << badTick;
    QTest::newRow("Bligh last class") << fileOf({{38, "10500"}}) << Accepted;
    QTest::newRow("Bligh beyond list") << fileOf({{38, "10600"}}) << badClass;
    QTest::newRow("Lane last class") << fileOf({{38, "21100"}}) << Accepted;
    QTest::newRow("Lane beyond list") << fileOf({{38, "21200"}}) << badClass;
    QTest::newRow("Lane class 99") << fileOf({{38, "29900"}}) << badClass;
    QTest::newRow("negative code") << fileOf({{38, "-20100"}}) << badClass;
    // Codes whose ratio, without a class, is 100 or more: saved again, the
    // ratio would run into the class digits.
    QTest::newRow("2 and 400 nines") << fileOf({{38, '2' + QByteArray(400, '9')}}) << badCode;
    QTest::newRow("huge code") << fileOf({{38, QByteArray(400, '9')}}) << badCode;
    QTest::newRow("Bligh no class, ratio 100") << fileOf({{38, "10000100"}}) << badCode;
    QTest::newRow("Lane no class, ratio 99.96 shown as 100.0") << fileOf({{38, "20099.96"}}) << badCode;
    QTest::newRow("Lane no class, ratio 99.9") << fileOf({{38, "20099.9"}}) << Accepted;
    QTest::newRow("Bligh no class, ratio 99.4 shown as 99") << fileOf({{38, "10099.4"}}) << Accepted;
    // A fixed class puts its own ratio in the box, whatever the code carried.
    QTest::newRow("a fixed class, ratio 99999999999") << fileOf({{38, "201199999999999"}}) << Accepted;
    QTest::newRow("exactly 64 KiB") << QByteArray(StudyFileMaxBytes, 'a') << Accepted;
    QTest::newRow("64 KiB and one byte") << QByteArray(StudyFileMaxBytes + 1, 'a') << tooLarge;
    QTest::newRow("64 KiB of line ends and one byte") << QByteArray(StudyFileMaxBytes + 1, '\n') << tooLarge;
}

void TestFiles::outcome()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, expected);
    QCOMPARE(outcomeOf(parseStudyFile(bytes)), expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("study.vek"));
    writeAll(path, bytes);
    QCOMPARE(outcomeOf(readStudyFile(path)), expected);
}

void TestFiles::cannotOpen_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("expected");
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/plan.vek") << int(StudyFileRefusal::CannotOpen);
    // Only regular files are opened: opening a FIFO would wait for a writer.
    const int notAFile = int(StudyFileRefusal::NotAFile);
    QTest::newRow("a folder") << QDir::tempPath() << notAFile;
#ifdef Q_OS_UNIX
    QTest::newRow("endless device") << QStringLiteral("/dev/zero") << notAFile;
    const QString fifo = scratch_.filePath(QStringLiteral("fifo.vek"));
    QVERIFY(QFileInfo::exists(fifo) || ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QTest::newRow("a FIFO") << fifo << notAFile;
#endif
}

void TestFiles::cannotOpen()
{
    QFETCH(QString, path);
    QFETCH(int, expected);
    QCOMPARE(outcomeOf(readStudyFile(path)), expected);
}

void TestFiles::lineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");  // names 0..3
    QTest::addColumn<double>("base0");
    QTest::newRow("CR LF") << fileOf({{0, "a"}, {1, "b"}, {19, "2.5"}}) << QStringList{u"a"_s, u"b"_s, u""_s, u""_s} << 2.5;
    QTest::newRow("LF") << fileOf({{0, "a"}, {1, "b"}, {19, "2.5"}}, 53, "\n") << QStringList{u"a"_s, u"b"_s, u""_s, u""_s} << 2.5;
    QTest::newRow("CR") << fileOf({{0, "a"}, {1, "b"}, {19, "2.5"}}, 53, "\r") << QStringList{u"a"_s, u"b"_s, u""_s, u""_s} << 2.5;
    QTest::newRow("mixed") << QByteArray("a\rb\nc\r\nd") << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s} << 0.0;
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{u"a"_s, u""_s, u"b"_s, u""_s} << 0.0;
    QTest::newRow("CR CR LF is two ends") << QByteArray("a\r\r\nb") << QStringList{u"a"_s, u""_s, u"b"_s, u""_s} << 0.0;
    QTest::newRow("fewer lines") << fileOf({{0, "x"}, {19, "7"}}, 20) << QStringList{u"x"_s, u""_s, u""_s, u""_s} << 7.0;
    QTest::newRow("names keep blanks") << QByteArray(" a \r\n\t") << QStringList{u" a "_s, u"\t"_s, u""_s, u""_s} << 0.0;
}

void TestFiles::lineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(double, base0);
    const ParsedStudy study = parsedOf(bytes);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(study.names[i], names[i]);
    QCOMPARE(study.baseValues[0], base0);
}

void TestFiles::emptyFile()
{
    const auto result = parseStudyFile(QByteArray());
    QCOMPARE(outcomeOf(result), Accepted);
    const StudyEdit opened = restoreStudy(std::get<ParsedStudy>(result));
    const Study &study = opened.study;
    for (const QString &name : study.record.names)
        QVERIFY(name.isEmpty());
    for (double v : study.record.baseValues)
        QCOMPARE(v, 0.0);
    for (int i = 0; i < PileCount; ++i) {
        QCOMPARE(study.record.verticalLengths[i], 0.0);
        QCOMPARE(study.record.horizontalLengths[i], 0.0);
        QCOMPARE(study.ticks(Section::Vertical)[i], false);
        QCOMPARE(study.ticks(Section::Horizontal)[i], false);
    }
    QCOMPARE(study.formula, Formula::Lane);
    QCOMPARE(study.soilClass, -1);
    QCOMPARE(study.ratioText(), QString());
    QCOMPARE(study.ratioEditable(), false);
    QCOMPARE(study.record.creepRatio, 0.0);
    QCOMPARE(opened.messages.size(), std::size_t(0));
}

void TestFiles::ticks_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");  // the flag, or -1 when the file is refused
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("0") << QByteArray("0") << 0;
    QTest::newRow("1") << QByteArray("1") << 1;
    QTest::newRow("1.0") << QByteArray("1.0") << 1;
    QTest::newRow("blanks before 1") << QByteArray("  1") << 1;
    QTest::newRow("0.0") << QByteArray("0.0") << 0;
    QTest::newRow("no number") << QByteArray("x") << 0;
    QTest::newRow("1 and more") << QByteArray("1 tick") << 1;
    QTest::newRow("2") << QByteArray("2") << -1;
    QTest::newRow("-1") << QByteArray("-1") << -1;
    QTest::newRow("0.5") << QByteArray("0.5") << -1;
    QTest::newRow("1.01") << QByteArray("1.01") << -1;
}

void TestFiles::ticks()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    for (const int line : {39, 46, 52}) {
        const auto result = parseStudyFile(fileOf({{line, text}}));
        if (expected < 0) {
            QCOMPARE(outcomeOf(result), int(StudyFileRefusal::BadTick));
            continue;
        }
        QCOMPARE(outcomeOf(result), Accepted);
        const ParsedStudy &study = std::get<ParsedStudy>(result);
        QCOMPARE(study.doubleFlags[line - 39], expected);
        const Study restored = restoreStudy(study).study;
        const bool ticked = line < 46 ? restored.ticks(Section::Vertical)[line - 39] : restored.ticks(Section::Horizontal)[line - 46];
        QCOMPARE(ticked, expected == 1);
    }
}

void TestFiles::decoding_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");
    QTest::newRow("kanji") << QByteArray("\x93\xfa\x96\x7b") << QStringLiteral("日本");
    QTest::newRow("half-width katakana") << QByteArray("\xb1") << QStringLiteral("ｱ");
    QTest::newRow("lone lead byte at line end") << QByteArray("\x83\x41\x82") << QStringLiteral("ア\uFFFD");
    QTest::newRow("invalid byte 0xFF") << QByteArray("a\xff" "b") << QStringLiteral("a\uFFFDb");
    QTest::newRow("invalid byte 0xFD") << QByteArray("\x83\x41\xfd\x83\x41") << QStringLiteral("ア\uFFFDア");
    QTest::newRow("0x80 and 0xA0") << QByteArray("\x80\xa0") << QStringLiteral("\uFFFD\uFFFD");
    QTest::newRow("unassigned pair") << QByteArray("\x85\x40" "a") << QStringLiteral("\uFFFDa");
    QTest::newRow("lead byte before DEL") << QByteArray("\x81\x7f") << QStringLiteral("\uFFFD\u007F");
    QTest::newRow("control bytes") << QByteArray("\x1a\x1c\x7f") << QStringLiteral("\u001A\u001C\u007F");
}

void TestFiles::decoding()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    // Undecodable bytes do not refuse the file, not even on a tick line.
    const ParsedStudy study = parsedOf(fileOf({{0, line}, {39, "1" + line}}));
    QCOMPARE(study.names[0], expected);
    QCOMPARE(study.doubleFlags[0], 1);
}

void TestFiles::controlCharactersKept()
{
    // A genuine U+001A is no undecodable byte; control characters keep
    // their ASCII bytes.
    StudyFileContent content;
    content.names[0] = QStringLiteral("a\u001Ab\u001C\u007F");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plan.vek"));
    QCOMPARE(writeStudyFile(path, content).value_or(Message{}), Message{});
    QVERIFY(readAll(path).startsWith("a\x1a" "b\x1c\x7f\r\n"));
    QCOMPARE(parsedOf(readAll(path)).names[0], content.names[0]);
}

void TestFiles::unstorableText_data()
{
    QTest::addColumn<int>("box");  // 0..18 name, 100 + i number box i
    QTest::addColumn<QString>("text");
    QTest::addColumn<Message>("expected");
    const QString name = QStringLiteral("名称");
    QTest::newRow("accented name") << 2 << QStringLiteral(" Café ") << unstorable(name, QStringLiteral("Café"));
    QTest::newRow("yen sign, no best fit") << 3 << QStringLiteral("¥100") << unstorable(name, QStringLiteral("¥100"));
    QTest::newRow("emoji name") << 18 << QStringLiteral("樋門\U0001F600") << unstorable(name, QStringLiteral("樋門\U0001F600"));
    QTest::newRow("line break in name") << 5 << QStringLiteral("a\nb") << unstorable(name, QStringLiteral("a\nb"));
    QTest::newRow("line break in number")
        << 107 << QStringLiteral("3\r4") << unstorable(QStringLiteral("数値"), QStringLiteral("3\r4"));
}

void TestFiles::unstorableText()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(Message, expected);
    StudyFileContent content = sampleContent();
    (box < 100 ? content.names[box] : content.numberTexts[box - 100]) = text;
    QTemporaryDir dir;
    const QString fresh = dir.filePath(QStringLiteral("fresh.vek"));
    QCOMPARE(writeStudyFile(fresh, content).value_or(Message{}), expected);
    QVERIFY(!QFile::exists(fresh));
    const QString earlier = dir.filePath(QStringLiteral("earlier.vek"));
    writeAll(earlier, "earlier study");
    QCOMPARE(writeStudyFile(earlier, content).value_or(Message{}), expected);
    QCOMPARE(readAll(earlier), QByteArray("earlier study"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("earlier.vek")});
}

void TestFiles::failedWrite_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("cause");  // the message's second line; empty: none
    QTest::newRow("parent is a file") << u"parent file"_s << u"保存先のフォルダーが見つかりません。"_s;
    QTest::newRow("target is a folder") << u"folder"_s << QString();
    QTest::newRow("read-only folder") << u"read-only folder"_s << u"保存先のフォルダーに書き込む権限がありません。"_s;
    QTest::newRow("read-only file") << u"read-only file"_s << u"保存先が読み取り専用です。"_s;
    QTest::newRow("name too long") << u"long name"_s << u"ファイル名が長すぎます。"_s;
}

void TestFiles::failedWrite()
{
    QFETCH(QString, setup);
    QFETCH(QString, cause);
    const bool permissions = setup.startsWith(QStringLiteral("read-only"));
#ifdef Q_OS_UNIX
    if (permissions && ::geteuid() == 0)
        QSKIP("root writes whatever the permissions say");
#else
    if (setup == QStringLiteral("read-only folder"))
        QSKIP("a folder's read-only mark does not stop writing in it");
#endif
    QTemporaryDir dir;
    QString target = dir.filePath(QStringLiteral("plan.vek"));
    if (setup == QStringLiteral("parent file")) {
        writeAll(dir.filePath(QStringLiteral("file")), "x");
        target = dir.filePath(QStringLiteral("file/plan.vek"));
    } else if (setup == QStringLiteral("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("plan.vek")));
    } else if (setup == QStringLiteral("long name")) {
        target = dir.filePath(QString(300, u'a') + QStringLiteral(".vek"));
    } else {
        writeAll(target, "earlier study");
        const QString locked = setup == QStringLiteral("read-only file") ? target : dir.path();
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    }
    QCOMPARE(writeStudyFile(target, sampleContent()).value_or(Message{}), writeFailed(target, cause));
    if (permissions) {
        QCOMPARE(readAll(target), QByteArray("earlier study"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("plan.vek"))).isDir() == (setup == QStringLiteral("folder")));
}

void TestFiles::failureMidWrite()
{
#ifndef Q_OS_UNIX
    QSKIP("needs a file size limit");
#else
    // A file size limit makes the write itself fail, for root as well.
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("plan.vek"));
    writeAll(target, "earlier study");
    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 64;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &tight) == 0);
    const std::optional<Message> result = writeStudyFile(target, sampleContent());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(result.value_or(Message{}), writeFailed(target));
    QCOMPARE(readAll(target), QByteArray("earlier study"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("plan.vek")});
#endif
}

void TestFiles::extension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QStringLiteral("plan") << QStringLiteral("plan.vek");
    QTest::newRow("upper case kept") << QStringLiteral("PLAN.VEK") << QStringLiteral("PLAN.VEK");
    QTest::newRow("lower case kept") << QStringLiteral("plan.vek") << QStringLiteral("plan.vek");
    QTest::newRow("mixed case kept") << QStringLiteral("/a/計画.Vek") << QStringLiteral("/a/計画.Vek");
    QTest::newRow("other extension") << QStringLiteral("plan.txt") << QStringLiteral("plan.txt.vek");
    QTest::newRow("no dot") << QStringLiteral("planvek") << QStringLiteral("planvek.vek");
    QTest::newRow("folder named .vek") << QStringLiteral("/a.vek/plan") << QStringLiteral("/a.vek/plan.vek");
}

void TestFiles::extension()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(withStudyExtension(name), expected);
}

void TestFiles::restoreClass_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("formula");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QString>("ratioText");
    QTest::addColumn<double>("creepRatio");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<bool>("messageC");
    const int bligh = int(Formula::Bligh);
    const int lane = int(Formula::Lane);
    QTest::newRow("fixed Bligh class overrides stored ratio") << QByteArray("10125") << bligh << 0 << u"18"_s << 18.0 << false << false;
    QTest::newRow("fixed Lane class overrides stored ratio") << QByteArray("21105") << lane << 10 << u"1.8"_s << 1.8 << false << false;
    QTest::newRow("Lane soft clay") << QByteArray("20903") << lane << 8 << u"3.0"_s << 3.0 << false << false;
    QTest::newRow("ranged keeps 7.5") << QByteArray("10407.5") << bligh << 3 << u"7.5"_s << 7.5 << true << false;
    QTest::newRow("ranged keeps 7") << QByteArray("10407") << bligh << 3 << u"7"_s << 7.0 << true << false;
    QTest::newRow("ranged keeps 5.25") << QByteArray("10405.25") << bligh << 3 << u"5.25"_s << 5.25 << true << false;
    QTest::newRow("ranged 9.5 out of range") << QByteArray("10409.5") << bligh << 3 << u"5"_s << 5.0 << true << true;
    QTest::newRow("ranged without ratio") << QByteArray("10400") << bligh << 3 << u"5"_s << 5.0 << true << true;
    QTest::newRow("Bligh no class, ratio whole") << QByteArray("10012.5") << bligh << -1 << u"13"_s << 13.0 << false << false;
    QTest::newRow("Lane no class, ratio one decimal") << QByteArray("20012") << lane << -1 << u"12.0"_s << 12.0 << false << false;
    QTest::newRow("Lane no class, zero") << QByteArray("20000") << lane << -1 << u"0.0"_s << 0.0 << false << false;
    QTest::newRow("other first digit is Lane") << QByteArray("30103") << lane << 0 << u"8.5"_s << 8.5 << false << false;
}

void TestFiles::restoreClass()
{
    QFETCH(QByteArray, code);
    QFETCH(int, formula);
    QFETCH(int, listIndex);
    QFETCH(QString, ratioText);
    QFETCH(double, creepRatio);
    QFETCH(bool, editable);
    QFETCH(bool, messageC);
    const StudyEdit opened = restoreStudy(parsedOf(fileOf({{38, code}})));
    const Study &study = opened.study;
    QCOMPARE(int(study.formula), formula);
    QCOMPARE(study.soilClass, listIndex);
    QCOMPARE(study.ratioText(), ratioText);
    COMPARE_NEAR(study.record.creepRatio, creepRatio);
    QCOMPARE(study.ratioEditable(), editable);
    QCOMPARE(opened.messages, messageC ? std::vector<Message>{MessageC} : std::vector<Message>{});
    QCOMPARE(study.record.methodCode, code.toDouble());
}

void TestFiles::restoreNumbers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("box");
    QTest::addColumn<double>("value");
    QTest::addColumn<std::vector<Message>>("messages");
    const std::vector<Message> none;
    QTest::newRow("dimension 99.99") << fileOf({{19, "99.99"}}) << 0 << 99.99 << none;
    QTest::newRow("dimension 100") << fileOf({{21, "100"}}) << 2 << 0.0 << std::vector{MessageA};
    QTest::newRow("99.994 rounds to 99.99") << fileOf({{24, "99.994"}}) << 6 << 99.99 << none;
    QTest::newRow("99.995 rounds out of range") << fileOf({{30, "99.995"}}) << 12 << 0.0 << std::vector{MessageA};
    QTest::newRow("negative length") << fileOf({{31, "-1"}}) << 13 << 0.0 << std::vector{MessageA};
    QTest::newRow("1.005 rounds up") << fileOf({{37, "1.005"}}) << 19 << 1.01 << none;
    QTest::newRow("water level -999.99") << fileOf({{22, "-999.99"}}) << 3 << -999.99 << none;
    QTest::newRow("water level -999.995") << fileOf({{23, "-999.995"}}) << 4 << 0.0 << std::vector{MessageB};
    QTest::newRow("water level 1000") << fileOf({{22, "1000"}}) << 3 << 0.0 << std::vector{MessageB};
    QTest::newRow("text after the number") << fileOf({{25, "2.345m"}}) << 7 << 2.35 << none;
    QTest::newRow("messages in box order after the class")
        << fileOf({{19, "100"}, {23, "5000"}, {37, "200"}, {38, "10409.5"}}) << 19 << 0.0
        << std::vector{MessageC, MessageA, MessageB, MessageA};
}

void TestFiles::restoreNumbers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, box);
    QFETCH(double, value);
    QFETCH(std::vector<Message>, messages);
    const StudyEdit opened = restoreStudy(parsedOf(bytes));
    const Study &study = opened.study;
    const StudyRecord &r = study.record;
    const double actual = box < CreepRatioBox ? r.baseValues[box]
                          : box < FirstHorizontalPileBox ? r.verticalLengths[box - FirstVerticalPileBox]
                                                     : r.horizontalLengths[box - FirstHorizontalPileBox];
    QVERIFY2(isNear(actual, value), qPrintable(QStringLiteral("box %1 holds %2").arg(box).arg(actual, 0, 'g', 17)));
    QCOMPARE(opened.messages.size(), messages.size());
    for (std::size_t i = 0; i < messages.size(); ++i)
        QCOMPARE(opened.messages[i].prompt, messages[i].prompt);
    QCOMPARE(opened.messages, messages);
}

void TestFiles::companion_data()
{
    // The companion beside a saved study: as saved ("saved"), after the study
    // file was changed ("changed"), missing ("none"), or as written here.
    QTest::addColumn<QString>("companion");
    QTest::addColumn<QString>("cases");     // "name wl1/wl2|…", case 1 by name alone
    QTest::addColumn<QStringList>("told");  // the messages' first words
    QTest::addColumn<bool>("titleBlock");
    const QString saved = u"計画 |既往 3.40/1.00|施工 3.00/1.70"_s;
    const QString head = u"{\"format\": \"talven-companion\", \"version\": %1, \"cases\": [{\"name\": \"一\"}, %2]}"_s;
    QTest::newRow("saved with the study") << u"saved"_s << saved << QStringList{} << true;
    QTest::newRow("study file changed since") << u"changed"_s << saved << QStringList{u"「s.vek」は"_s} << true;
    QTest::newRow("no companion") << u"none"_s << u" "_s << QStringList{} << false;
    QTest::newRow("levels written as numbers, no title block")
        << head.arg(1).arg(u"{\"name\": \"二\", \"wl1\": 3.4, \"wl2\": -1}"_s) << u"一 |二 3.40/-1.00"_s
        << QStringList{u"「s.vek」は"_s} << false;
    QTest::newRow("a level out of range opens as 0")
        << head.arg(1).arg(u"{\"name\": \"二\", \"wl1\": \"1000\", \"wl2\": \"1\"}"_s) << u"一 |二 0.00/1.00"_s
        << QStringList{u"「s.vek」は"_s, u"数値は-999.99から999.99"_s} << false;
    QTest::newRow("a case of equal levels is left out")
        << head.arg(1).arg(u"{\"name\": \"平水\", \"wl1\": \"1\", \"wl2\": \"1\"}"_s) << u"一 "_s
        << QStringList{u"「s.vek」は"_s, u"水位差が０以下の場合は計算できません"_s} << false;
    QTest::newRow("nine cases keep eight")
        << head.arg(1).arg(QStringList(8, u"{\"name\": \"x\", \"wl1\": \"2\", \"wl2\": \"1\"}"_s).join(u", "_s))
        << u"一 "_s + QString(u"|x 2.00/1.00"_s).repeated(7)
                                           << QStringList{u"「s.vek」は"_s, u"水位ケースは 8 つまでです。8 番目より後の 1 つのケースは使いません。"_s}
                                           << false;
    QTest::newRow("eight cases, all read")
        << head.arg(1).arg(QStringList(7, u"{\"name\": \"x\", \"wl1\": \"2\", \"wl2\": \"1\"}"_s).join(u", "_s))
        << u"一 "_s + QString(u"|x 2.00/1.00"_s).repeated(7)
                                           << QStringList{u"「s.vek」は"_s} << false;
    QTest::newRow("a newer format is not read") << head.arg(2).arg(u"{}"_s) << u" "_s
                                                << QStringList{u"「s.talven.json」を読み込めません。"_s} << false;
    QTest::newRow("another format is not read") << u"{\"format\": \"other\", \"version\": 1}"_s << u" "_s
                                                << QStringList{u"「s.talven.json」を読み込めません。"_s} << false;
    QTest::newRow("not JSON") << u"{"_s << u" "_s << QStringList{u"「s.talven.json」を読み込めません。"_s} << false;
    QTest::newRow("100 KiB, within the limit")
        << head.arg(1).arg(u"{\"name\": \"二\", \"wl1\": \"2\", \"wl2\": \"1\"}"_s) + QString(100 * 1024, u' ')
        << u"一 |二 2.00/1.00"_s << QStringList{u"「s.vek」は"_s} << false;
    QTest::newRow("a name of 25 characters keeps 20")
        << head.arg(1).arg(u"{\"name\": \"abcdefghijklmnopqrstuvwxy\", \"wl1\": \"2\", \"wl2\": \"1\"}"_s)
        << u"一 |abcdefghijklmnopqrst 2.00/1.00"_s
        << QStringList{u"「s.vek」は"_s} << false;
    // Numbers as the same digits written out; what is no number is out of range.
    const QString outOfRange = u"数値は-999.99から999.99"_s;
    QTest::newRow("levels in exponent notation")
        << head.arg(1).arg(u"{\"name\": \"二\", \"wl1\": 1e-05, \"wl2\": -1}, {\"name\": \"三\", \"wl1\": 1e308, \"wl2\": -1}"_s)
        << u"一 |二 0.00/-1.00|三 0.00/-1.00"_s << QStringList{u"「s.vek」は"_s, outOfRange} << false;
    QTest::newRow("levels neither text nor number")
        << head.arg(1).arg(u"{\"name\": \"二\", \"wl1\": {}, \"wl2\": true}"_s) << u"一 "_s
        << QStringList{u"「s.vek」は"_s, outOfRange, outOfRange, u"水位差が０以下の場合は計算できません"_s} << false;
    // plan.VEK beside plan.vek never takes plan.vek's cases and title block.
    QTest::newRow("saved with another study file")
        << u"{\"format\": \"talven-companion\", \"version\": 1, \"study\": {\"file\": \"S.VEK\"}, \"cases\": [{\"name\": \"一\"}]}"_s
        << u" "_s << QStringList{u"「s.talven.json」は「S.VEK」の水位ケースと表題欄です。"_s} << false;
}

void TestFiles::companionSave_data()
{
    // s.vek saved over a study file, with in its companion's place: its own
    // companion, another study file's (S.VEK), one this version cannot read
    // (its kept name taken already with "unreadable, twice"), a link to a file
    // elsewhere, a folder; or with the study file a link to a file elsewhere.
    QTest::addColumn<QString>("beside");
    QTest::addColumn<bool>("ownFile");  // 上書き保存; otherwise Save As onto s.vek
    QTest::addColumn<QString>("asked");  // the question's first line; empty: none
    QTest::addColumn<QString>("told");   // what the save says, first lines; empty: nothing
    QTest::addColumn<QString>("kept");   // where the companion there before is kept
    QTest::newRow("its own, saved in place") << u"own"_s << true << QString() << QString() << QString();
    QTest::newRow("its own, Save As") << u"own"_s << false << u"「s.talven.json」は既に存在します。"_s << QString() << QString();
    QTest::newRow("another study file's") << u"other"_s << true << u"「s.talven.json」は「S.VEK」の水位ケースと表題欄です。"_s
                                          << QString() << QString();
    const QString kept = u"「s.talven.json」はこのバージョンでは読めない形式のため、「%1」として残しました。"_s;
    QTest::newRow("unreadable") << u"unreadable"_s << true << QString() << kept.arg(u"s.talven-unreadable.json"_s)
                                << u"s.talven-unreadable.json"_s;
    QTest::newRow("unreadable, twice, Save As") << u"unreadable, twice"_s << false << u"「s.talven.json」は既に存在します。"_s
                                                << kept.arg(u"s.talven-unreadable-2.json"_s) << u"s.talven-unreadable-2.json"_s;
    // Either one failing leaves the pair as it was.
    QTest::newRow("a folder") << u"folder"_s << true << QString()
                              << u"ファイル書き込みを中止しました。\r\n「s.talven.json」に書き込めません。"_s << QString();
#ifdef Q_OS_UNIX
    QTest::newRow("a link") << u"link"_s << true << QString() << QString() << QString();
    QTest::newRow("the study file a link") << u"study link"_s << true << QString() << QString() << QString();
#endif
}

// 上書き保存 and 名前を付けて保存 write the study and its companion as one
// save, never through a link, and never lose a companion.
void TestFiles::companionSave()
{
    QFETCH(QString, beside);
    QFETCH(bool, ownFile);
    QFETCH(QString, asked);
    QFETCH(QString, told);
    QFETCH(QString, kept);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"s.vek"_s);
    const QString companion = companionPath(path);
    const QString elsewhere = dir.filePath(u"notes.txt"_s);
    const Study study = studyWithCases();
    writeAll(elsewhere, "notes");
    writeAll(path, "previous study");
    if (beside == u"own" || beside == u"other")
        writeAll(companion, encodeCompanion(Study{}, beside == u"own" ? u"s.vek"_s : u"S.VEK"_s, {}));
    else if (beside.startsWith(u"unreadable"))
        writeAll(companion, "{");
    if (beside == u"unreadable, twice")
        writeAll(dir.filePath(u"s.talven-unreadable.json"_s), "kept before");
    else if (beside == u"folder")
        QVERIFY(QDir(dir.path()).mkdir(u"s.talven.json"_s));
    else if (beside == u"link")
        QVERIFY(QFile::link(elsewhere, companion));
    else if (beside == u"study link")
        QVERIFY(QFile::remove(path) && QFile::link(elsewhere, path));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    QCOMPARE(companionQuestion(path, ownFile).value_or(Message{}).prompt.section(u"\r\n"_s, 0, 0), asked);
    const StudySave saved = saveStudy(path, study);
    const QString said = saved.message.value_or(Message{}).prompt;
    QVERIFY2(said.startsWith(told) && said.isEmpty() == told.isEmpty(), qPrintable(said));
    QCOMPARE(saved.written, !told.startsWith(u"ファイル"_s));
    QCOMPARE(readAll(elsewhere), QByteArray("notes"));
    if (!kept.isEmpty())
        QCOMPARE(readAll(dir.filePath(kept)), QByteArray("{"));
    if (!saved.written) {
        QCOMPARE(readAll(path), QByteArray("previous study"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
        return;
    }
    QVERIFY(QFileInfo(path).isFile() && !QFileInfo(path).isSymLink());
    QVERIFY(QFileInfo(companion).isFile() && !QFileInfo(companion).isSymLink());
    QCOMPARE(std::get<StudyEdit>(readStudyFile(path)).study.cases(), study.cases());
}

void TestFiles::companion()
{
    QFETCH(QString, companion);
    QFETCH(QString, cases);
    QFETCH(QStringList, told);
    QFETCH(bool, titleBlock);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"s.vek"_s);
    const Study study = studyWithCases();
    QVERIFY(saveStudy(path, study).written);
    if (companion == u"changed")
        writeAll(path, readAll(path).replace("3.00", "3.50"));
    else if (companion == u"none")
        QVERIFY(QFile::remove(companionPath(path)));
    else if (companion != u"saved")
        writeAll(companionPath(path), companion.toUtf8());

    const StudyFileReadResult read = readStudyFile(path);
    QCOMPARE(outcomeOf(read), Accepted);
    const StudyEdit &opened = std::get<StudyEdit>(read);
    QStringList seen{opened.study.firstCaseName + u' '};
    for (const WaterLevelCase &levelCase : opened.study.laterCases)
        seen << levelCase.name + u' ' + levelCase.outerText + u'/' + levelCase.innerText;
    QCOMPARE(seen.join(u'|'), cases);
    QStringList messages;
    for (const Message &message : opened.messages)
        messages << message.prompt;
    QCOMPARE(messages.size(), told.size());
    for (int i = 0; i < told.size(); ++i)
        QVERIFY2(messages[i].startsWith(told[i]), qPrintable(messages[i]));
    QCOMPARE(opened.study.titleBlock.has_value(), titleBlock);
    if (titleBlock)
        QCOMPARE(*opened.study.titleBlock, *study.titleBlock);
}

// Where the vertical piles stand and the bottom level: kept by a save,
// read from a companion another tool wrote, and left out whole, with the
// range message, when one value cannot be taken. L is 21.
void TestFiles::companionPlacement_data()
{
    QTest::addColumn<QString>("companion");  // "saved", or the companion as written here
    QTest::addColumn<QString>("placement");  // the stations, "-" for none, then "| bottom level"
    QTest::addColumn<QStringList>("told");   // the messages' first words
    QTest::addColumn<QString>("details");    // the cut-off's: "type | height width excavation", "-" for none
    const QString written = u"{\"format\": \"talven-companion\", \"version\": 1, \"cases\": [{\"name\": \"一\"}], %1}"_s;
    const QString none = u"- - - - - - - |"_s;
    const QString noDetails = u" | - - -"_s;
    QTest::newRow("saved with the study") << u"saved"_s << u"3.00 18.00 - - - - - | -1.20"_s << QStringList{}
                                          << u"鋼矢板Ⅲ型 | 1.50 1.20 -"_s;
    QTest::newRow("none written") << written.arg(u"\"x\": 0"_s) << none << QStringList{u"「s.vek」は"_s} << noDetails;
    QTest::newRow("details as texts and numbers, a type of 25 characters")
        << written.arg(u"\"cutOff\": {\"pileType\": \" %1 \", \"wallHeight\": \"1.005\", \"wallWidth\": 1, \"excavationWidth\": null}"_s
                           .arg(QString(25, u'型')))
        << none << QStringList{u"「s.vek」は"_s} << QString(20, u'型') + u" | 1.01 1.00 -"_s;
    QTest::newRow("a measure out of range") << written.arg(u"\"cutOff\": {\"pileType\": \"U形\", \"wallWidth\": 100}"_s) << none
                                            << QStringList{u"「s.vek」は"_s, u"数値は0から99.99"_s} << noDetails;
    QTest::newRow("a measure that is no number") << written.arg(u"\"cutOff\": {\"excavationWidth\": \"inf\"}"_s) << none
                                                 << QStringList{u"「s.vek」は"_s, u"数値は0から99.99"_s} << noDetails;
    QTest::newRow("texts, null, L itself")
        << written.arg(u"\"stations\": [\"0\", null, 21], \"bottomLevel\": \"2.5\""_s) << u"0.00 - 21.00 - - - - | 2.50"_s
        << QStringList{u"「s.vek」は"_s} << noDetails;
    QTest::newRow("a station beyond L") << written.arg(u"\"stations\": [3, 21.01], \"bottomLevel\": 1"_s) << none
                                        << QStringList{u"「s.vek」は"_s, u"矢板の位置は"_s} << noDetails;
    QTest::newRow("a station that is no number") << written.arg(u"\"stations\": [true]"_s) << none
                                                 << QStringList{u"「s.vek」は"_s, u"矢板の位置は"_s} << noDetails;
    QTest::newRow("a bottom level out of range") << written.arg(u"\"stations\": [3], \"bottomLevel\": -1000"_s) << none
                                                 << QStringList{u"「s.vek」は"_s, u"数値は-999.99から999.99"_s} << noDetails;
}

void TestFiles::companionPlacement()
{
    QFETCH(QString, companion);
    QFETCH(QStringList, told);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"s.vek"_s);
    Study study = restoreStudy(parsedOf(fileOf({{19, "15"}, {20, "3"}, {21, "3"}, {22, "5"}, {23, "1.5"}}))).study;
    study.stations = {3.0, 18.0};
    study.bottomLevel = -1.2;
    study.cutOff = {u"鋼矢板Ⅲ型"_s, 1.5, 1.2, std::nullopt};
    QVERIFY(saveStudy(path, study).written);
    if (companion != u"saved")
        writeAll(companionPath(path), companion.toUtf8());

    const StudyFileReadResult read = readStudyFile(path);
    QCOMPARE(outcomeOf(read), Accepted);
    const StudyEdit &opened = std::get<StudyEdit>(read);
    QStringList placement;
    for (const std::optional<double> &station : opened.study.stations)
        placement << (station ? twoDecimals(*station) : u"-"_s);
    placement << u"|"_s;
    if (opened.study.bottomLevel)
        placement << twoDecimals(*opened.study.bottomLevel);
    QTEST(placement.join(u' '), "placement");
    const CutOffDetails &details = opened.study.cutOff;
    QStringList measures;
    for (const std::optional<double> &measure : {details.wallHeight, details.wallWidth, details.excavationWidth})
        measures << (measure ? twoDecimals(*measure) : u"-"_s);
    QTEST(details.pileType + u" | "_s + measures.join(u' '), "details");
    QCOMPARE(opened.messages.size(), told.size());
    for (int i = 0; i < told.size(); ++i)
        QVERIFY2(opened.messages[i].prompt.startsWith(told[i]), qPrintable(opened.messages[i].prompt));
}

// Where the numbers come from and the study's own page options: kept by a
// save, read from a companion another tool wrote; an older companion, or
// values of another type, leave them out.
void TestFiles::companionProvenance_data()
{
    QTest::addColumn<QString>("companion");  // "saved", or the companion as written here
    QTest::addColumn<QString>("read");  // each case's "datum/WL1/WL2", the basis, 河川名/所在地, label and sheet
    const QString written = u"{\"format\": \"talven-companion\", \"version\": 1, %1}"_s;
    QTest::newRow("saved with the study") << u"saved"_s
                                          << u"T.P./整備計画 H.W.L./堤内地盤高 | //既往 | 手引き p.189/No.2 第2層/粒度 | "
                                             "○○川/○○市 | label 3-12 | sheet 0"_s;
    QTest::newRow("an older companion: none of it")
        << written.arg(u"\"cases\": [{\"name\": \"一\"}], \"titleBlock\": {\"job\": \"業務\"}"_s)
        << u"// | // | / | label none | sheet none"_s;
    QTest::newRow("an empty label, the sheet on")
        << written.arg(u"\"pageLabel\": \"\", \"sheet\": true, \"basis\": {\"soil\": \"No.5\"}"_s)
        << u"// | /No.5/ | / | label  | sheet 1"_s;
    QTest::newRow("values of another type")
        << written.arg(u"\"cases\": [{\"datum\": 1}], \"basis\": [\"a\"], \"pageLabel\": 3, \"sheet\": \"true\""_s)
        << u"// | // | / | label none | sheet none"_s;
}

void TestFiles::companionProvenance()
{
    QFETCH(QString, companion);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"s.vek"_s);
    Study study = studyWithCases();
    study.firstCaseBasis = {u"T.P."_s, u"整備計画 H.W.L."_s, u"堤内地盤高"_s};
    study.laterCases.front().basis.innerSource = u"既往"_s;
    study.laterCases.resize(1);
    study.basis = {u"手引き p.189"_s, u"No.2 第2層"_s, u"粒度"_s};
    study.titleBlock->river = u"○○川"_s;
    study.titleBlock->place = u"○○市"_s;
    study.pages.set(&PageOptions::pageLabel, u"3-12"_s);
    study.pages.set(&PageOptions::sheet, false);
    QVERIFY(saveStudy(path, study).written);
    if (companion != u"saved")
        writeAll(companionPath(path), companion.toUtf8());

    const Study opened = std::get<StudyEdit>(readStudyFile(path)).study;
    QStringList read;
    for (const WaterLevelCase &levelCase : opened.cases())
        read << QStringList{levelCase.basis.datum, levelCase.basis.outerSource, levelCase.basis.innerSource}.join(u'/');
    read << QStringList{opened.basis.method, opened.basis.soil, opened.basis.ratio}.join(u'/');
    const TitleBlock title = opened.titleBlock.value_or(TitleBlock());
    read << title.river + u'/' + title.place;
    read << u"label "_s + (opened.pages.has(&PageOptions::pageLabel) ? opened.pages.values.pageLabel : u"none"_s);
    read << u"sheet "_s + (opened.pages.has(&PageOptions::sheet) ? QString::number(opened.pages.values.sheet) : u"none"_s);
    QTEST(read.join(u" | "_s), "read");
}

QTEST_GUILESS_MAIN(TestFiles)
#include "test_files.moc"
