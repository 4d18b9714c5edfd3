// Feeds arbitrary bytes to the study-file reader. Besides the sanitizers'
// findings, an accepted file must hold only what the reader promises, and
// what opens must save and open again as the same study.
#include "files/studyfile.h"

#include "study/soilclasses.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace talven;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // No copy and no terminating zero: a read past the end is caught.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto result = parseStudyFile(bytes);
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

    const StudyEdit opened = restoreStudy(*study);
    const Study &restored = opened.study;
    if (!std::isfinite(restored.record.creepRatio))
        __builtin_trap();
    for (const double value : restored.record.baseValues)
        if (!std::isfinite(value) || std::fabs(value) > 999.99)
            __builtin_trap();

    // Saved again as File > Save writes it, it opens as the same study: names
    // without their blanks, the code in its saved form, nothing out of range
    // left to report. Only a byte code page 932 could not decode keeps it
    // from being saved, and the save's message names the name that holds it.
    const std::variant<QByteArray, Message> saved = encodeStudyFile(studyFileContent(restored));
    if (const auto *refusal = std::get_if<Message>(&saved)) {
        if (!refusal->prompt.contains(QChar::ReplacementCharacter))
            __builtin_trap();
        return 0;
    }
    const StudyFileReadResult again = readStudy(std::get<QByteArray>(saved));
    const auto *reread = std::get_if<StudyEdit>(&again);
    if (!reread)
        __builtin_trap();
    const Study &reopened = reread->study;
    StudyRecord expected = restored.record;
    for (QString &name : expected.names)
        name = trimmedName(name);
    expected.methodCode = reopened.record.methodCode;
    if (!(reopened.record == expected) || reopened.formula != restored.formula
        || reopened.soilClass != restored.soilClass || !reread->messages.empty())
        __builtin_trap();
    return 0;
}
