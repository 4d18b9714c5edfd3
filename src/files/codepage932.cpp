#include "files/codepage932.h"

namespace talven {

namespace {

bool isLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool isTrailByte(unsigned char byte)
{
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

bool isKatakanaByte(unsigned char byte)
{
    return byte >= 0xA1 && byte <= 0xDF;
}

}  // namespace

QString decodeCodePage932(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte < 0x80) {
            text += QLatin1Char(char(byte));
            ++at;
            continue;
        }
        // A lead byte without its second byte is one undecodable byte; what
        // follows it is read afresh.
        qsizetype length = 1;
        if (isLeadByte(byte) && at + 1 < bytes.size() && isTrailByte(static_cast<unsigned char>(bytes[at + 1])))
            length = 2;
        const bool whole = length == 2 || isKatakanaByte(byte);
        const std::optional<QChar> character = whole ? codepage932::systemDecode(bytes.sliced(at, length)) : std::nullopt;
        text += character.value_or(QChar::ReplacementCharacter);
        at += length;
    }
    return text;
}

std::optional<QByteArray> encodeCodePage932(QStringView text)
{
    // ASCII is written as it is, the rest run by run through the system's
    // converter; reading the bytes back must give the text again.
    QByteArray bytes;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = at;
        const bool ascii = text[at].unicode() < 0x80;
        while (end < text.size() && (text[end].unicode() < 0x80) == ascii)
            ++end;
        if (ascii) {
            bytes += text.sliced(at, end - at).toLatin1();
        } else {
            const std::optional<QByteArray> run = codepage932::systemEncode(text.sliced(at, end - at));
            if (!run)
                return std::nullopt;
            bytes += *run;
        }
        at = end;
    }
    if (decodeCodePage932(bytes) != text)
        return std::nullopt;
    return bytes;
}

}  // namespace talven
