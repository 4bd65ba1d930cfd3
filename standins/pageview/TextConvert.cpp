// Conversions between the view's 8-bit texts and wide strings.
#include "TextConvert.h"

#include <climits>

namespace pageview {

namespace {

std::wstring ToWide(const std::string& text, UINT codePage, DWORD flags, bool& ok)
{
    ok = true;
    if (text.empty())
        return std::wstring();
    if (text.size() > INT_MAX / 2) {
        ok = false;
        return std::wstring();
    }
    int length = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        ok = false;
        return std::wstring();
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& text)
{
    bool ok = false;
    std::wstring wide = ToWide(text, CP_UTF8, MB_ERR_INVALID_CHARS, ok);
    if (ok)
        return wide;
    return ToWide(text, CP_ACP, 0, ok);
}

std::wstring PageTextToWide(const std::string& text, Charset charset)
{
    bool ok = false;
    return ToWide(text, charset == Charset::Utf8 ? CP_UTF8 : CP_ACP, 0, ok);
}

std::string WideToUtf8(const wchar_t* text, size_t length)
{
    if (!text || length == 0 || length > INT_MAX / 4)
        return std::string();
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), &out[0], size, nullptr, nullptr);
    return out;
}

std::string WideToUtf8(const std::wstring& text)
{
    return WideToUtf8(text.data(), text.size());
}

}  // namespace pageview
