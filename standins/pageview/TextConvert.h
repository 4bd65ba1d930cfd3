// Conversions between the view's 8-bit texts (addresses in UTF-8, pages in their own charset)
// and the wide strings of Windows and COM.
#pragma once

#include <windows.h>

#include <string>

#include "core/HtmlDocument.h"

namespace pageview {

// UTF-8 when the bytes are valid UTF-8, the ANSI code page otherwise.
std::wstring Utf8ToWide(const std::string& text);
std::wstring PageTextToWide(const std::string& text, Charset charset);
std::string WideToUtf8(const std::wstring& text);
std::string WideToUtf8(const wchar_t* text, size_t length);

}  // namespace pageview
