// CString: the 8-bit string of the framework. Text is in the process's ANSI code page (GBK for
// the launcher's users); comparisons that ignore case fold only single-byte letters and leave
// double-byte characters untouched, as the multibyte string functions do.
#pragma once

#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength) : m_str(pch && nLength > 0 ? std::string(pch, nLength) : std::string()) {}
    CString(const std::string& s) : m_str(s) {}
    // Converts UTF-16 text with the ANSI code page; a null pointer gives an empty string.
    explicit CString(const wchar_t* pwsz);

    operator const char*() const { return m_str.c_str(); }
    const char* GetString() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int i) const { return m_str[static_cast<size_t>(i)]; }

    CString& operator=(const char* psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(const char* psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, const char* b) { CString r(a); r += b; return r; }
    friend CString operator+(const char* a, const CString& b) { CString r(a); r += b; return r; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, const char* b) { return a.m_str == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }

    int Compare(const char* psz) const;
    int CompareNoCase(const char* psz) const;
    int Find(const char* pszSub, int nStart = 0) const;
    int Find(char ch, int nStart = 0) const;
    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    void Format(const char* pszFormat, ...);

    // Room for nMinLength bytes plus a terminator, for APIs that fill a buffer.
    char* GetBuffer(int nMinLength);
    // Takes the length from the terminator (nNewLength < 0) or as given.
    void ReleaseBuffer(int nNewLength = -1);

    // UTF-16 form of the text, converted with the ANSI code page.
    std::wstring Wide() const;

private:
    std::string m_str;
};
