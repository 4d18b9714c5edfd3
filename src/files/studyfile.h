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
// block; a companion that cannot be read, or that was saved with another
// study file, adds its message and nothing else.
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

// What a save did: whether the study was written, and the message to show,
// why it was not or what became of a companion this version cannot read.
struct StudySave {
    bool written = false;
    std::optional<Message> message;
};

// 上書き保存 and 名前を付けて保存: the study file and its companion are one
// save. Both are written to temporary files first; then the companion takes
// its place and the study file last, and when either cannot, the previous
// pair stays as it was and the message names the file that failed. The names
// themselves are replaced: a link in the study's or the companion's place is
// replaced by the file, never written through. A companion this version
// cannot read is not lost: it stays beside under keptCompanionPath()'s name,
// and the message says so.
StudySave saveStudy(const QString &path, const Study &study);

// What to ask before a save replaces the companion beside `path`: one
// recorded for another study file is taken over only when the user agrees,
// and a save onto a file other than the study's own (`ownFile` false: Save
// As) replaces any companion there only when the user agrees, as it asks for
// the study. Nothing when there is nothing to ask.
std::optional<Message> companionQuestion(const QString &path, bool ownFile);

// "ファイル書き込みを中止しました。" / "タルヴェン・書き込みエラー", exclamation;
// the file that failed named on a second line ("「plan.vek」に書き込めません。")
// and a known cause on a third ("保存先が読み取り専用です。").
Message writeErrorMessage(WriteFailure failure, const QString &path);

// The save dialog asks before replacing only the name as typed; when ".vek"
// was added, the program asks itself before replacing that file.
Message overwriteQuestion(const QString &path);

// plan -> plan.vek; PLAN.VEK and plan.vek stay; plan.txt -> plan.txt.vek.
QString withStudyExtension(const QString &fileName);

// The study a parsed file opens to: formula, ratio and class, then every
// number box written with two decimals through its range check.
StudyEdit restoreStudy(const ParsedStudy &parsed);

}  // namespace talven
