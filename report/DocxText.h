#pragma once
// The program's names for the document text helpers of the library
// (kelvorin/KvDocxText.h), which the calculation books share with KvWord.
#include <kelvorin/KvDocxText.h>

namespace qv {

using RunFormat = KvRunFormat;
inline constexpr const char* kEastAsianFont = KvDocxText::kEastAsianFont;

} // namespace qv
