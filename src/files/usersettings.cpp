#include "files/usersettings.h"

#include <QFileInfo>
#include <QSettings>

#include <array>

namespace talven {

namespace {

QSettings openSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("talven"), QStringLiteral("talven"));
}

constexpr char RecentStudiesKey[] = "recentStudies";

}  // namespace

UserSettings UserSettings::load()
{
    const QSettings stored = openSettings();
    UserSettings settings;
    for (const TitleField &field : TitleFields) {
        if (field.settingKey)
            settings.titleBlock.*field.value = cappedTitleText(stored.value(QLatin1StringView(field.settingKey)).toString());
    }
    for (const PageSwitch &option : PageSwitches) {
        if (option.settingKey)
            settings.page.*option.value =
                stored.value(QLatin1StringView(option.settingKey), settings.page.*option.value).toBool();
    }
    for (const PageText &option : PageTexts) {
        if (option.settingKey)
            settings.page.*option.value = cappedTitleText(stored.value(QLatin1StringView(option.settingKey)).toString());
    }
    settings.recentStudies = stored.value(QLatin1StringView(RecentStudiesKey)).toStringList().mid(0, RecentStudyLimit);
    return settings;
}

bool UserSettings::save() const
{
    QSettings stored = openSettings();
    for (const TitleField &field : TitleFields) {
        if (field.settingKey)
            stored.setValue(QLatin1StringView(field.settingKey), titleBlock.*field.value);
    }
    for (const PageSwitch &option : PageSwitches) {
        if (option.settingKey)
            stored.setValue(QLatin1StringView(option.settingKey), page.*option.value);
    }
    for (const PageText &option : PageTexts) {
        if (option.settingKey)
            stored.setValue(QLatin1StringView(option.settingKey), page.*option.value);
    }
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
