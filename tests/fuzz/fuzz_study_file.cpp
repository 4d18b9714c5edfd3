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

// What File > Save writes of a study File > Open restored: the names, the
// number boxes as the refresh shows them, the code of formula, class and ratio box.
StudyFileContent savedContent(const RestoredStudy &study)
{
    StudyFileContent content;
    StudyRecord record = study.record;
    content.names = record.names;
    for (int box = 0; box < NumberBoxCount; ++box)
        content.numberTexts[box] = formatNumber(numberField(record, box), NumberPattern::TwoDecimals);
    content.methodCode = buildMethodCode(study.formula, study.listIndex, leadingNumber(study.ratioText));
    content.doubleFlags = record.doubleFlags;
    return content;
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

    // Saved again, it opens as the same study: names without their blanks,
    // the code in its saved form, nothing out of range left to report. Only a
    // byte code page 932 could not decode keeps it from being saved, and the
    // save's message names the name that holds it.
    const std::variant<QByteArray, Message> saved = encodeStudyFile(savedContent(restored));
    if (const auto *refusal = std::get_if<Message>(&saved)) {
        if (!refusal->prompt.contains(QChar::ReplacementCharacter))
            __builtin_trap();
        return 0;
    }
    const StudyFileReadResult again = parseStudyFile(std::get<QByteArray>(saved));
    const auto *reread = std::get_if<ParsedStudy>(&again);
    if (!reread)
        __builtin_trap();
    const RestoredStudy reopened = restoreStudy(*reread);
    StudyRecord expected = restored.record;
    for (QString &name : expected.names)
        name = trimmedName(name);
    expected.methodCode = reopened.record.methodCode;
    if (!(reopened.record == expected) || reopened.formula != restored.formula
        || reopened.listIndex != restored.listIndex || reopened.ratioEditable != restored.ratioEditable
        || !reopened.messages.empty())
        __builtin_trap();
    return 0;
}
