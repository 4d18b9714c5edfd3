#pragma once

// The studies the user opened or saved last, remembered in the user's
// settings between runs, newest first: File > 最近使ったファイル.

#include <QString>
#include <QStringList>

namespace talven {

inline constexpr int RecentStudyLimit = 4;

QStringList recentStudies();
// Puts the study's absolute path first, once, and keeps RecentStudyLimit.
void rememberRecentStudy(const QString &path);
void forgetRecentStudy(const QString &path);

}  // namespace talven
