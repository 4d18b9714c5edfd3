#pragma once

#include <QSettings>

namespace talven {

// What the program keeps of the user's between runs (the recent studies, the
// report's settings): an ini file in the user's own settings folder on every
// platform, which tests can move aside (QSettings::setPath).
inline QSettings userSettings()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("talven"), QStringLiteral("talven"));
}

}  // namespace talven
