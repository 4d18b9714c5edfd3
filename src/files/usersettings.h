#pragma once

// What the program keeps of the user's between runs, apart from any study:
// the title block's fields the user signs every page with, the page's
// options, and the studies opened or saved last. An ini file in the user's
// own settings folder on every platform (talven/talven.ini), which tests
// move aside with QSettings::setPath. The keys are those of the title fields'
// and the page options' tables (titleblock.h, pageoptions.h).

#include "study/pageoptions.h"
#include "study/titleblock.h"

#include <QString>
#include <QStringList>

namespace talven {

inline constexpr int RecentStudyLimit = 4;

struct UserSettings {
    // The title block a new study starts with: only the fields kept per
    // user (業務名, 河川名, 会社名, 設計者, 照査者).
    TitleBlock titleBlock;
    // The options kept per user; the study's own (its page label and
    // sheet) stay at their defaults here.
    PageOptions page;
    QStringList recentStudies;  // absolute paths, newest first, at most RecentStudyLimit

    static UserSettings load();
    // False when they could not be kept; what is lost costs only the next
    // run's defaults.
    bool save() const;

    // Puts the study's absolute path first, once, and keeps RecentStudyLimit.
    void rememberStudy(const QString &path);
    void forgetStudy(const QString &path);

    bool operator==(const UserSettings &) const = default;
};

// Where they are kept, for the message when they cannot be.
QString userSettingsFile();

}  // namespace talven
