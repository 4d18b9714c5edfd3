#pragma once

#include <QWidget>

namespace talven {

// Window sizes are kept in twips, 1440 to the inch, and turned into pixels at
// the screen's logical resolution, across and down.
inline int twipsX(const QWidget *widget, int twips)
{
    return qRound(twips * widget->logicalDpiX() / 1440.0);
}

inline int twipsY(const QWidget *widget, int twips)
{
    return qRound(twips * widget->logicalDpiY() / 1440.0);
}

}  // namespace talven
