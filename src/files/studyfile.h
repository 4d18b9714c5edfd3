#pragma once

#include "files/platform.h"
#include "study/boxtable.h"
#include "study/fieldrules.h"
#include "study/methodcode.h"
#include "study/study.h"
#include "study/studyrecord.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace talven {

inline constexpr int StudyFileLineCount = 53;
inline constexpr qint64 StudyFileMaxBytes = 64 * 1024;
inline constexpr qint64 CompanionMaxBytes = 1024 * 1024;

// What a study file holds: the boxes' texts (written trimmed), the method
// code and the ticks.
struct StudyFileContent {
    std::array<QString, NameCount> names;            // nameBox(0..18)
    std::array<QString, NumberBoxCount> numberTexts;  // numberBox(0..19); numberBox(5) is not written
    double methodCode = 0.0;
    std::array<int, DoubleFlagCount> doubleFlags{};
};

// What File > Save writes of a study: what its boxes show, and its formula,
// class and ratio as one method code.
StudyFileContent studyFileContent(const Study &study);

// The 53 lines of a study file, without line ends.
std::array<QString, StudyFileLineCount> studyFileLines(const StudyFileContent &content);

// A file that was read completely and passed every check.
struct ParsedStudy {
    std::array<QString, NameCount> names;  // lines 0-18 as read
    std::array<double, BaseValueCount> baseValues{};
    PileLengths verticalLengths{};
    PileLengths horizontalLengths{};
    double methodCode = 0.0;
    std::array<int, DoubleFlagCount> doubleFlags{};
    DecodedMethod method;  // methodCode's general-number text, decoded
};

enum class StudyFileRefusal {
    CannotOpen,     // the file cannot be opened or read
    TooLarge,       // more than StudyFileMaxBytes
    TooManyLines,   // a 54th line, even an empty one
    BadTick,        // a tick line whose number is not exactly 0 or 1
    BadClassIndex,  // decoded class index outside -1 ... last entry of the decoded formula's list
    BadMethodCode,  // a code the save cannot write back to the same formula, class and ratio
    NotAFile,       // a folder, device, FIFO or socket: only regular files are read
};

// All or nothing: a complete parsed file, or a refusal. Line ends CR LF, LF
// or CR; text in code page 932, bytes it cannot decode become U+FFFD. What is
// accepted can be saved again and opens to the same study: a method code
// that would not survive that (no class and a ratio of 100 or more, which
// the code's layout cannot hold) is refused.
std::variant<ParsedStudy, StudyFileRefusal> parseStudyFile(const QByteArray &bytes);

// The study a file opens to, with the range messages met on the way (a value
// out of its range opens as 0), or why the file is refused. Every reader
// opens a file through this: the window, talven-report and the tests.
using StudyFileReadResult = std::variant<StudyEdit, StudyFileRefusal>;
StudyFileReadResult readStudy(const QByteArray &bytes);
// Reads only a regular file (or a link to one): anything else is refused
// before it is opened, since opening a FIFO waits for a writer. With a
// companion beside it (companionfile.h) the study takes its cases and title
// block; a companion that cannot be read adds its message and nothing else.
StudyFileReadResult readStudyFile(const QString &path);

// "ファイル読み込みを中止しました。" / "タルヴェン・読み込みエラー", exclamation.
Message readErrorMessage();

// The file's bytes, or the message naming a name (or number text) that code
// page 932 cannot hold or that holds a line break ("タルヴェン・書き込みエラー" /
// exclamation).
std::variant<QByteArray, Message> encodeStudyFile(const StudyFileContent &content);

// Writes the study file alone through a temporary file beside it (SafeFile),
// so that the target is replaced only when every line was written. Returns
// the message to show when nothing was written: the refusal of
// encodeStudyFile, or writeErrorMessage() of a failed write, a read-only
// target included.
std::optional<Message> writeStudyFile(const QString &path, const StudyFileContent &content);

// 上書き保存 and 名前を付けて保存: the study file, then its companion right after it, each
// written as writeStudyFile writes. The message to show when one was not
// written.
std::optional<Message> saveStudy(const QString &path, const Study &study);

// "ファイル書き込みを中止しました。" / "タルヴェン・書き込みエラー", exclamation;
// a known cause on a second line ("保存先が読み取り専用です。").
Message writeErrorMessage(WriteFailure failure);

// The save dialog asks before replacing only the name as typed; when ".vek"
// was added, the program asks itself before replacing that file.
Message overwriteQuestion(const QString &path);

// plan -> plan.vek; PLAN.VEK and plan.vek stay; plan.txt -> plan.txt.vek.
QString withStudyExtension(const QString &fileName);

// The study a parsed file opens to: formula, ratio and class, then every
// number box written with two decimals through its range check.
StudyEdit restoreStudy(const ParsedStudy &parsed);

}  // namespace talven
