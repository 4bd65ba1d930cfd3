// CString: conversions, comparisons and formatting of the framework's 8-bit string.
#include "framework/CString.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

CString::CString(const wchar_t* pwsz)
{
    if (!pwsz || !*pwsz)
        return;
    int n = WideCharToMultiByte(CP_ACP, 0, pwsz, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 1)
        return;
    m_str.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, pwsz, -1, &m_str[0], n, nullptr, nullptr);
    m_str.resize(static_cast<size_t>(n - 1));
}

std::wstring CString::Wide() const
{
    if (m_str.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, m_str.c_str(), -1, nullptr, 0);
    std::wstring w(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, m_str.c_str(), -1, &w[0], n);
    w.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
    return w;
}

int CString::Compare(const char* psz) const
{
    return std::strcmp(m_str.c_str(), psz ? psz : "");
}

int CString::CompareNoCase(const char* psz) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(psz ? psz : "");
    for (;;) {
        unsigned ca = *a, cb = *b;
        if (IsDBCSLeadByte(static_cast<BYTE>(ca)) && a[1]) {
            // A double-byte character compares exactly, both bytes at once.
            unsigned wa = (ca << 8) | a[1];
            unsigned wb = (IsDBCSLeadByte(static_cast<BYTE>(cb)) && b[1]) ? ((cb << 8) | b[1]) : cb;
            if (wa != wb)
                return wa < wb ? -1 : 1;
            a += 2;
            b += 2;
            continue;
        }
        if (ca >= 'A' && ca <= 'Z') ca += 'a' - 'A';
        if (cb >= 'A' && cb <= 'Z') cb += 'a' - 'A';
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
        ++a;
        ++b;
    }
}

int CString::Find(const char* pszSub, int nStart) const
{
    if (!pszSub || nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(pszSub, static_cast<size_t>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(ch, static_cast<size_t>(nStart));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

CString CString::Left(int nCount) const
{
    if (nCount <= 0)
        return CString();
    return CString(m_str.substr(0, static_cast<size_t>(nCount)));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nFirst >= GetLength() || nCount <= 0)
        return CString();
    return CString(m_str.substr(static_cast<size_t>(nFirst), static_cast<size_t>(nCount)));
}

void CString::Format(const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, pszFormat, copy);
    va_end(copy);
    if (n < 0) {
        m_str.clear();
    } else {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), pszFormat, args);
        m_str.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(args);
}

char* CString::GetBuffer(int nMinLength)
{
    size_t need = static_cast<size_t>(nMinLength > 0 ? nMinLength : 0);
    if (m_str.size() < need)
        m_str.resize(need);
    m_str.reserve(need + 1);
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(std::strlen(m_str.c_str()));
    if (static_cast<size_t>(nNewLength) <= m_str.size())
        m_str.resize(static_cast<size_t>(nNewLength));
}
