#include "files/codepage932.h"

#include <QStringDecoder>
#include <QStringEncoder>

// Qt's converters for code page 932 come from ICU. ICU marks what it cannot
// decode with U+FFFD or U+001A; neither is a character of code page 932 above
// ASCII, so either means none.
namespace talven::codepage932 {

namespace {

constexpr char EncodingName[] = "windows-31j";

}  // namespace

std::optional<QChar> systemDecode(QByteArrayView character)
{
    thread_local QStringDecoder decoder(EncodingName, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(character);
    if (text.size() != 1 || text[0] == QChar::ReplacementCharacter || text[0] == QChar(0x1A))
        return std::nullopt;
    return text[0];
}

std::optional<QByteArray> systemEncode(QStringView text)
{
    QStringEncoder encoder(EncodingName);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

}  // namespace talven::codepage932
