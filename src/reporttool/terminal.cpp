#include "reporttool/terminal.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace talven {

bool writeText(std::FILE *stream, const QString &text)
{
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

bool isTerminal(std::FILE *stream)
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stream));
#else
    return isatty(fileno(stream));
#endif
}

}  // namespace talven
