#include "reporttool/terminal.h"

#include "files/platform.h"

namespace talven {

bool writeText(std::FILE *stream, const QString &text)
{
    if (const std::optional<bool> written = platform::writeToConsole(stream, text))
        return *written;
    const bool written = std::fputs(text.toUtf8().constData(), stream) >= 0;
    return std::fflush(stream) == 0 && written;
}

void complain(const QString &problem)
{
    writeText(stderr, ProgramName + QStringLiteral(": ") + problem + u'\n');
}

QString terminalText(const QString &prompt)
{
    QString text = prompt;
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace talven
