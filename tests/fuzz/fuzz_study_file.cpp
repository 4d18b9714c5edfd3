// Feeds arbitrary bytes to the study-file reader. Besides the sanitizers'
// findings, an accepted file must hold only what the reader promises, and
// what opens must save and open again as the same study.
#include "files/studyfile.h"

#include "study/numbers.h"
#include "study/soilclasses.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace talven;

namespace {

// What File > Save writes of a study File > Open restored: the names, every
// number box as the refresh shows it, and the code of formula, class and the
// ratio box.
StudyFileContent savedContent(const RestoredStudy &study)
{
    StudyFileContent content;
    StudyRecord record = study.record;
    content.names = record.names;
    for (int box = 0; box < NumberBoxCount; ++box)
        content.numberTexts[box] = box == CreepRatioBox
                                       ? study.ratioText
                                       : formatNumber(numberField(record, box), NumberPattern::TwoDecimals);
    content.methodCode = buildMethodCode(study.formula, study.listIndex, leadingNumber(study.ratioText));
    content.doubleFlags = record.doubleFlags;
    return content;
}

// The same study, names saved without their surrounding blanks; the method
// code itself may differ ("-1" comes back as Lane's first class, 20108.5).
bool sameStudy(const RestoredStudy &opened, const RestoredStudy &reopened)
{
    for (int i = 0; i < NameCount; ++i)
        if (reopened.record.names[i] != trimmedName(opened.record.names[i]))
            return false;
    const StudyRecord &a = opened.record;
    const StudyRecord &b = reopened.record;
    return a.baseValues == b.baseValues && a.verticalLengths == b.verticalLengths
           && a.horizontalLengths == b.horizontalLengths && a.doubleFlags == b.doubleFlags
           && a.creepRatio == b.creepRatio && opened.formula == reopened.formula
           && opened.listIndex == reopened.listIndex && opened.ratioEditable == reopened.ratioEditable
           && opened.verticalTicks == reopened.verticalTicks && opened.horizontalTicks == reopened.horizontalTicks;
}

bool holdsUndecodedByte(const RestoredStudy &study)
{
    for (const QString &name : study.record.names)
        if (name.contains(QChar::ReplacementCharacter))
            return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // No copy and no terminating zero: a read past the end is caught.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const StudyFileReadResult result = parseStudyFile(bytes);
    const auto *study = std::get_if<ParsedStudy>(&result);
    if (!study)
        return 0;
    if (size > std::size_t(StudyFileMaxBytes))
        __builtin_trap();
    for (const int flag : study->doubleFlags)
        if (flag != 0 && flag != 1)
            __builtin_trap();
    const auto classCount = int(soilClasses(study->method.formula).size());
    if (study->method.listIndex < -1 || study->method.listIndex >= classCount)
        __builtin_trap();

    const RestoredStudy restored = restoreStudy(*study);
    if (!std::isfinite(restored.record.creepRatio))
        __builtin_trap();
    for (const double value : restored.record.baseValues)
        if (!std::isfinite(value) || std::fabs(value) > 999.99)
            __builtin_trap();

    // Saved again, the study opens to the same state, with nothing out of
    // range left to report. Only a byte code page 932 could not decode keeps
    // it from being saved (the save names that name).
    const std::variant<QByteArray, Message> saved = encodeStudyFile(savedContent(restored));
    const auto *savedBytes = std::get_if<QByteArray>(&saved);
    if (!savedBytes) {
        if (!holdsUndecodedByte(restored))
            __builtin_trap();
        return 0;
    }
    const StudyFileReadResult again = parseStudyFile(*savedBytes);
    const auto *reread = std::get_if<ParsedStudy>(&again);
    if (!reread)
        __builtin_trap();
    const RestoredStudy reopened = restoreStudy(*reread);
    if (!sameStudy(restored, reopened) || !reopened.messages.empty())
        __builtin_trap();
    return 0;
}
