#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Texts that the player types or that the store keeps are held as code page
// 932 (Shift-JIS) bytes, the encoding the records have always been kept in.
namespace cp932 {

// The text's bytes, or nothing when a character has no form in code page 932.
std::optional<QByteArray> encode(const QString &text);

// The text of the bytes; a byte sequence that is not code page 932 shows as
// U+FFFD for each byte it spoils, so nothing else of the text is lost.
QString decode(const QByteArray &bytes);

// How many bytes the text takes, or nothing when it cannot be encoded.
std::optional<qsizetype> byteLength(const QString &text);

} // namespace cp932
