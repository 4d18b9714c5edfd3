#include "files/usersettings.h"

#include "study/titleblock.h"

#include <QFileInfo>
#include <QSettings>

#include <array>

namespace talven {

namespace {

QSettings openSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("talven"), QStringLiteral("talven"));
}

struct TextKey {
    const char *key;
    QString UserSettings::*field;
};

struct FlagKey {
    const char *key;
    bool UserSettings::*field;
    bool byDefault;
};

constexpr std::array<TextKey, 5> TextKeys{{
    {"report/job", &UserSettings::job},
    {"report/company", &UserSettings::company},
    {"report/designer", &UserSettings::designer},
    {"report/checker", &UserSettings::checker},
    {"report/pageLabel", &UserSettings::pageLabel},
}};

constexpr std::array<FlagKey, 4> FlagKeys{{
    {"report/figures", &UserSettings::figures, true},
    {"report/footer", &UserSettings::footer, false},
    {"report/margins", &UserSettings::margins, true},
    {"report/sheet", &UserSettings::sheet, false},
}};

constexpr char RecentStudiesKey[] = "recentStudies";

}  // namespace

UserSettings UserSettings::load()
{
    const QSettings stored = openSettings();
    UserSettings settings;
    for (const TextKey &text : TextKeys)
        settings.*text.field = cappedTitleText(stored.value(QLatin1StringView(text.key)).toString());
    for (const FlagKey &flag : FlagKeys)
        settings.*flag.field = stored.value(QLatin1StringView(flag.key), flag.byDefault).toBool();
    settings.recentStudies = stored.value(QLatin1StringView(RecentStudiesKey)).toStringList().mid(0, RecentStudyLimit);
    return settings;
}

bool UserSettings::save() const
{
    QSettings stored = openSettings();
    for (const TextKey &text : TextKeys)
        stored.setValue(QLatin1StringView(text.key), this->*text.field);
    for (const FlagKey &flag : FlagKeys)
        stored.setValue(QLatin1StringView(flag.key), this->*flag.field);
    stored.setValue(QLatin1StringView(RecentStudiesKey), recentStudies);
    stored.sync();
    return stored.status() == QSettings::NoError;
}

void UserSettings::rememberStudy(const QString &path)
{
    const QString study = QFileInfo(path).absoluteFilePath();
    recentStudies.removeAll(study);
    recentStudies.prepend(study);
    recentStudies = recentStudies.mid(0, RecentStudyLimit);
}

void UserSettings::forgetStudy(const QString &path)
{
    recentStudies.removeAll(QFileInfo(path).absoluteFilePath());
}

QString userSettingsFile()
{
    return openSettings().fileName();
}

}  // namespace talven
