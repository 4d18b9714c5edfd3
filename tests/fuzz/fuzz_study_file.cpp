// Feeds arbitrary bytes to the study-file reader. Besides the sanitizers'
// findings, an accepted file must hold only what the reader promises.
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
    return 0;
}
