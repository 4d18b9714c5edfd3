#include "files/recentstudies.h"

#include <QFileInfo>
#include <QSettings>

namespace talven {

namespace {

const QString RecentStudiesKey = QStringLiteral("recentStudies");

// An ini file in the user's own settings folder on every platform, which
// tests can move aside (QSettings::setPath).
QSettings userSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("talven"), QStringLiteral("talven"));
}

void storeRecentStudies(const QStringList &paths)
{
    QSettings settings = userSettings();
    settings.setValue(RecentStudiesKey, paths);
}

}  // namespace

QStringList recentStudies()
{
    return userSettings().value(RecentStudiesKey).toStringList().mid(0, RecentStudyLimit);
}

void rememberRecentStudy(const QString &path)
{
    const QString study = QFileInfo(path).absoluteFilePath();
    QStringList paths = recentStudies();
    paths.removeAll(study);
    paths.prepend(study);
    storeRecentStudies(paths.mid(0, RecentStudyLimit));
}

void forgetRecentStudy(const QString &path)
{
    QStringList paths = recentStudies();
    if (paths.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        storeRecentStudies(paths);
}

}  // namespace talven
