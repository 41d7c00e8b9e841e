#pragma once

#include "cp932.h"

#include <QString>

// A name is kept as code page 932 bytes in a 16-byte field, so it must have a
// form in that code page and fit: a double-byte character counts as two.
inline constexpr qsizetype kNameMaxBytes = 16;

inline bool nameFits(const QString &text)
{
    const auto bytes = cp932::byteLength(text);
    return bytes && *bytes <= kNameMaxBytes;
}
