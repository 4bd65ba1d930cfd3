// CEventString: a string value of a control event as the callbacks receive it. It owns a copy
// of the event's UTF-16 text up to its first NUL, is shared by reference count when copied, and
// gives the text in the ANSI code page on demand (converted once and kept). A null string stays
// null: its narrow text is a null pointer, not an empty string.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

class CEventString {
public:
    CEventString() = default;  // a null string
    // Copies text up to its first NUL; a null pointer gives a null string.
    explicit CEventString(const wchar_t* text);

    bool IsNull() const { return !m_data; }
    // The UTF-16 text, or null.
    const wchar_t* Wide() const { return m_data ? m_data->wide.c_str() : nullptr; }
    // The text in the ANSI code page, or null for a null string.
    const char* Narrow() const;
    operator const char*() const { return Narrow(); }
    // Drops this reference early.
    void Release() { m_data.reset(); }

private:
    struct Data {
        std::wstring wide;
        std::string narrow;
        bool converted = false;
    };
    std::shared_ptr<Data> m_data;
};
