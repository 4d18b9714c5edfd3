#include "files/codepage932.h"

#include <qt_windows.h>

// Qt on Windows has no ICU: the system's own code page 932 converts here.
// Invalid bytes fail the call rather than become the code page's default
// character; a character without exact bytes reports the default character
// used rather than take a best-fit stand-in.
namespace talven::codepage932 {

namespace {

constexpr UINT CodePage = 932;

}  // namespace

std::optional<QChar> systemDecode(QByteArrayView character)
{
    wchar_t wide[2] = {};
    const int count = MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, character.data(), int(character.size()), wide, 2);
    if (count != 1)
        return std::nullopt;
    return QChar(char16_t(wide[0]));
}

std::optional<QByteArray> systemEncode(QStringView text)
{
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int length = int(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    QByteArray bytes(size, Qt::Uninitialized);
    usedDefault = FALSE;
    if (WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size, nullptr, &usedDefault) != size
        || usedDefault)
        return std::nullopt;
    return bytes;
}

}  // namespace talven::codepage932
