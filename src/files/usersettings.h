#pragma once

// What the program keeps of the user's between runs, apart from any study:
// the title block's fields the user signs every page with, the page's
// options, and the studies opened or saved last. An ini file in the user's
// own settings folder on every platform (talven/talven.ini), which tests
// move aside with QSettings::setPath. Every key and its default stand in one
// table in usersettings.cpp.

#include <QString>
#include <QStringList>

namespace talven {

inline constexpr int RecentStudyLimit = 4;

struct UserSettings {
    QString job;       // 業務名
    QString company;   // 会社名
    QString designer;  // 設計者
    QString checker;   // 照査者
    bool figures = true;   // 照査の補足を印刷する
    bool footer = false;   // ファイル名を印刷する
    bool margins = true;   // とじしろを取る: the page within a binder's margins
    bool sheet = false;    // 計算書を付ける
    QString pageLabel;     // ページ番号, the first page's label at the foot
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
