// Movie file reading for LoadMovie.
#include "standins/movieplayer/MovieFile.h"

#include <cwctype>

#include "standins/movieplayer/core/SwfReader.h"

namespace movieplayer {
namespace {

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

}  // namespace

std::wstring MoviePathFromUrl(const std::wstring& url)
{
    if (url.size() < 5 || ::_wcsnicmp(url.c_str(), L"file:", 5) != 0)
        return url;
    std::wstring rest = url.substr(5);
    if (rest.compare(0, 3, L"///") == 0)
        rest = rest.substr(3);  // file:///C:/dir/movie.swf
    else if (rest.compare(0, 2, L"//") == 0)
        rest = L"\\\\" + rest.substr(2);  // file://server/share/movie.swf
    // Percent escapes are bytes of UTF-8.
    std::string utf8;
    for (size_t i = 0; i < rest.size(); ++i) {
        wchar_t c = rest[i];
        if (c == L'%' && i + 2 < rest.size() && HexValue(rest[i + 1]) >= 0 && HexValue(rest[i + 2]) >= 0) {
            utf8 += static_cast<char>(HexValue(rest[i + 1]) * 16 + HexValue(rest[i + 2]));
            i += 2;
            continue;
        }
        if (c == L'/')
            c = L'\\';
        char buf[8];
        int n = ::WideCharToMultiByte(CP_UTF8, 0, &c, 1, buf, sizeof buf, nullptr, nullptr);
        utf8.append(buf, n > 0 ? static_cast<size_t>(n) : 0);
    }
    int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], n);
    return out;
}

HRESULT ReadMovieFile(const std::wstring& url, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    std::wstring path = MoviePathFromUrl(url);
    if (path.empty())
        return E_INVALIDARG;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return HRESULT_FROM_WIN32(::GetLastError());
    LARGE_INTEGER size = {};
    HRESULT hr = S_OK;
    if (!::GetFileSizeEx(h, &size)) {
        hr = HRESULT_FROM_WIN32(::GetLastError());
    } else if (size.QuadPart <= 0 || size.QuadPart > kMaxMovieBytes) {
        hr = E_FAIL;  // nothing to play, or more than any movie we accept
    } else {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!::ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size()) {
            hr = E_FAIL;
            bytes.clear();
        }
    }
    ::CloseHandle(h);
    return hr;
}

}  // namespace movieplayer
