// The program's folder from its full path: drive and directory with exactly one trailing
// backslash. Double-byte characters of the ANSI code page are kept whole, so a trail byte that
// happens to equal '\' is never taken for a separator.
#pragma once

#include <string>

namespace tavik {

// Tells whether a byte starts a double-byte character in the ANSI code page.
using LeadBytePredicate = bool (*)(unsigned char);

// Lead bytes of code page 936 (GBK): 0x81 to 0xFE.
bool IsGbkLeadByte(unsigned char b);

// Drive and directory of exePath, ending in exactly one backslash. A path without any folder
// (a bare drive or name) gives its drive, if any, followed by a backslash.
std::string ModuleDirFromPath(const std::string& exePath, LeadBytePredicate isLeadByte);

// True when text ends with a single-byte backslash (not the trail byte of a double-byte character).
bool EndsWithBackslash(const std::string& text, LeadBytePredicate isLeadByte);

}  // namespace tavik
