// Finding the lowered search text in a lowered link text, both in the
// system's ANSI code page. Portable: no Windows headers.
#pragma once
#include <cstddef>
#include <string_view>

namespace quennel {

// Which bytes begin a double-byte character of the code page; null for a
// single-byte code page.
using LeadByteTable = const bool*;

// The byte offset of the first occurrence of sNeedle in sText, trying start
// positions one character after another (a double-byte character is
// stepped over whole, so a match never starts inside one); npos when there
// is none. An empty needle is never found.
size_t FindInText(std::string_view sText, std::string_view sNeedle, LeadByteTable pLead);

}  // namespace quennel
