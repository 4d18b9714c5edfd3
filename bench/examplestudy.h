#pragma once

// The worked example the benchmarks use: Lane, very fine sand or silt
// (C′ = 8.5), dimensions 3, 2 and 1, water levels 3 and 1, vertical piles 3
// and 1.5, horizontal piles 2.5 and 2.5, every pile counted twice.

#include "files/studyfile.h"
#include "study/study.h"
#include "study/methodcode.h"

#include <QStringEncoder>
#include <QStringList>

#include <optional>

#include <variant>

inline talven::StudyFileContent exampleStudyContent()
{
    using namespace talven;
    StudyFileContent content;
    const QStringList names = {QStringLiteral("本体"), QStringLiteral("翼壁（川表）"), QStringLiteral("翼壁（川裏）"),
                               QStringLiteral("外水位"), QStringLiteral("内水位"),
                               QStringLiteral("川表"), QStringLiteral("川裏")};
    for (int i = 0; i < names.size(); ++i)
        content.names[i] = names[i];
    content.names[FirstHorizontalPileName] = QStringLiteral("左岸");
    content.names[FirstHorizontalPileName + 1] = QStringLiteral("右岸");
    const QStringList numbers = {QStringLiteral("3.00"), QStringLiteral("2.00"), QStringLiteral("1.00"),
                                 QStringLiteral("3.00"), QStringLiteral("1.00"), QStringLiteral("8.5"),
                                 QStringLiteral("3.00"), QStringLiteral("1.50")};
    for (int i = 0; i < numbers.size(); ++i)
        content.numberTexts[i] = numbers[i];
    content.numberTexts[FirstHorizontalPileBox] = QStringLiteral("2.50");
    content.numberTexts[FirstHorizontalPileBox + 1] = QStringLiteral("2.50");
    content.methodCode = buildMethodCode(Formula::Lane, 0, 8.5);
    content.doubleFlags.fill(1);
    return content;
}

// A file's bytes, in code page 932 with CR LF, as File > Save writes them.
inline QByteArray studyFileBytes(const talven::StudyFileContent &content)
{
    QStringEncoder encoder("windows-31j");
    QByteArray bytes;
    for (const QString &line : talven::studyFileLines(content))
        bytes += QByteArray(encoder(line)) + "\r\n";
    return bytes;
}

inline QByteArray exampleStudyBytes()
{
    return studyFileBytes(exampleStudyContent());
}

// The study as File > Open would leave the window; empty on a refusal.
inline std::optional<talven::Study> exampleStudy()
{
    using namespace talven;
    const StudyFileReadResult read = readStudy(exampleStudyBytes());
    const auto *opened = std::get_if<StudyEdit>(&read);
    if (!opened)
        return std::nullopt;
    return opened->study;
}
