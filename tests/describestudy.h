#pragma once

// The study record as one line per field, so that a comparison names the
// field that differs. Numbers with every digit.

#include "study/studyrecord.h"

#include <QStringList>

inline QStringList describeRecord(const talven::StudyRecord &record)
{
    QStringList lines;
    lines << QStringLiteral("creepRatio=%1 methodCode=%2")
                 .arg(record.creepRatio, 0, 'g', 17)
                 .arg(record.methodCode, 0, 'g', 17);
    for (std::size_t i = 0; i < record.names.size(); ++i)
        lines << QStringLiteral("names[%1]=%2").arg(i).arg(record.names[i]);
    auto numbers = [&lines](const char *what, const auto &values) {
        for (std::size_t i = 0; i < values.size(); ++i)
            lines << QStringLiteral("%1[%2]=%3").arg(QLatin1StringView(what)).arg(i).arg(double(values[i]), 0, 'g', 17);
    };
    numbers("baseValues", record.baseValues);
    numbers("verticalLengths", record.verticalLengths);
    numbers("horizontalLengths", record.horizontalLengths);
    numbers("doubleFlags", record.doubleFlags);
    return lines;
}
