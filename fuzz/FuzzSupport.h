#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace korvane::fuzz {

// A broken property aborts, so libFuzzer keeps the input that broke it.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

// UTF-16 units taken verbatim, little-endian: a byte order mark or a lone surrogate stays
// in the text.
inline QString unitsFrom(const uint8_t *bytes, size_t units)
{
    QString s(qsizetype(units), Qt::Uninitialized);
    for (size_t i = 0; i < units; ++i)
        s[qsizetype(i)] = QChar(char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8)));
    return s;
}

} // namespace korvane::fuzz
