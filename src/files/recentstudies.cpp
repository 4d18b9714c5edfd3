#include "files/recentstudies.h"

#include "files/usersettings.h"

#include <QFileInfo>
#include <QSettings>

namespace talven {

namespace {

const QString RecentStudiesKey = QStringLiteral("recentStudies");

// A list that cannot be kept costs the user only the next run's shortcuts:
// said on standard error, never in the way.
void storeRecentStudies(const QStringList &paths)
{
    QSettings settings = userSettings();
    settings.setValue(RecentStudiesKey, paths);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        qWarning("talven: the recent studies cannot be kept in %s", qPrintable(settings.fileName()));
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
