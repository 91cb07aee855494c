#pragma once

#include <QString>

namespace korvane {

// The substring search behind Find and Find Next, free of any document or window.
namespace TextSearch {

// 0-based index of the first occurrence of needle in haystack at or after from, or -1.
// An empty needle is found at from itself while from lies inside the haystack, so
// repeated searches for it walk one character at a time and fail past the last one.
// Without matchCase, letters compare by Unicode case folding (QString's case-insensitive
// comparison): the same for every locale, one folded character per character, so a match
// is always exactly as long as the needle.
qsizetype find(const QString &haystack, const QString &needle, qsizetype from, bool matchCase);

} // namespace TextSearch
} // namespace korvane
