#include "reporttool/terminal.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <io.h>
#else
#include <unistd.h>
#endif

namespace talven {

#ifdef Q_OS_WIN
namespace {

// The console of the stream, if it is one (not a pipe, a file or NUL).
HANDLE consoleOf(std::FILE *stream)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

}  // namespace
#endif

bool writeText(std::FILE *stream, const QString &text)
{
#ifdef Q_OS_WIN
    // A console shows its own code page (932 in Japan): it is given the
    // characters themselves. Pipes and files get UTF-8, as on Linux.
    if (const HANDLE console = consoleOf(stream)) {
        DWORD written = 0;
        return std::fflush(stream) == 0
               && WriteConsoleW(console, text.utf16(), DWORD(text.size()), &written, nullptr)
               && written == DWORD(text.size());
    }
#endif
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
