#pragma once

// The study record as one line per field, so that a comparison names the
// field that differs. Numbers with every digit.

#include "study/studyrecord.h"

#include <QStringList>

inline QStringList DescribeRecord(const talven::StudyRecord &record)
{
    QStringList lines;
    lines << QStringLiteral("Saved=%1 CreepRatio=%2 MethodCode=%3")
                 .arg(record.Saved)
                 .arg(record.CreepRatio, 0, 'g', 17)
                 .arg(record.MethodCode, 0, 'g', 17);
    for (std::size_t i = 0; i < record.Names.size(); ++i)
        lines << QStringLiteral("Names[%1]=%2").arg(i).arg(record.Names[i]);
    auto numbers = [&lines](const char *what, const auto &values) {
        for (std::size_t i = 0; i < values.size(); ++i)
            lines << QStringLiteral("%1[%2]=%3").arg(QLatin1StringView(what)).arg(i).arg(double(values[i]), 0, 'g', 17);
    };
    numbers("BaseValues", record.BaseValues);
    numbers("VerticalLengths", record.VerticalLengths);
    numbers("HorizontalLengths", record.HorizontalLengths);
    numbers("DoubleFlags", record.DoubleFlags);
    return lines;
}
