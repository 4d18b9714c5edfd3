#include "files/controlcharacters.h"

namespace talven {

QString escapeControlCharacters(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7F && code < 0xA0))
            shown += QStringLiteral("\\x") + QString::number(code, 16).toUpper().rightJustified(2, u'0');
        else
            shown += c;
    }
    return shown;
}

}  // namespace talven
