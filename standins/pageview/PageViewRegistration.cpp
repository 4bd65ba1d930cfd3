// Self-registration: makes this DLL the in-process server of the WebBrowser class, remembering the
// server registered before so that unregistering gives it back.
#include <windows.h>
#include <olectl.h>

#include <string>

#include "PageViewModule.h"

namespace {

const wchar_t kServerKey[] = L"CLSID\\{8856F961-340A-11D0-A96B-00C04FD705A2}\\InprocServer32";
const wchar_t kPreviousServer[] = L"PageViewPreviousServer";
const wchar_t kPreviousThreading[] = L"PageViewPreviousThreading";

std::wstring ModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(pageview::ModuleHandle(), &path[0], static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() > 32768)
            return std::wstring();
        path.resize(path.size() * 2);
    }
}

bool ReadString(HKEY key, const wchar_t* name, std::wstring& value)
{
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size > 65536)
        return false;
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size) != ERROR_SUCCESS)
        return false;
    buffer.resize(size / sizeof(wchar_t));
    while (!buffer.empty() && buffer.back() == L'\0')
        buffer.pop_back();
    value = buffer;
    return true;
}

LONG WriteString(HKEY key, const wchar_t* name, const std::wstring& value)
{
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

extern "C" HRESULT WINAPI DllRegisterServer()
{
    const std::wstring path = ModulePath();
    if (path.empty())
        return SELFREG_E_CLASS;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return SELFREG_E_CLASS;
    std::wstring current, threading, saved;
    if (ReadString(key, nullptr, current) && !current.empty() && !SamePath(current, path) &&
        !ReadString(key, kPreviousServer, saved)) {
        WriteString(key, kPreviousServer, current);
        if (ReadString(key, L"ThreadingModel", threading))
            WriteString(key, kPreviousThreading, threading);
    }
    LONG result = WriteString(key, nullptr, path);
    if (result == ERROR_SUCCESS)
        result = WriteString(key, L"ThreadingModel", L"Apartment");
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, kServerKey, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS)
        return S_OK;  // nothing registered
    std::wstring current, previous, threading;
    bool ours = ReadString(key, nullptr, current) && SamePath(current, ModulePath());
    if (!ours) {
        ::RegCloseKey(key);
        return S_OK;  // another server is registered now; leave it alone
    }
    if (ReadString(key, kPreviousServer, previous)) {
        WriteString(key, nullptr, previous);
        if (ReadString(key, kPreviousThreading, threading))
            WriteString(key, L"ThreadingModel", threading);
        else
            ::RegDeleteValueW(key, L"ThreadingModel");
        ::RegDeleteValueW(key, kPreviousServer);
        ::RegDeleteValueW(key, kPreviousThreading);
        ::RegCloseKey(key);
        return S_OK;
    }
    ::RegCloseKey(key);
    return ::RegDeleteKeyW(HKEY_CLASSES_ROOT, kServerKey) == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}
