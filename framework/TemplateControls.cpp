// Walks a dialog template's items to find the ActiveX controls it names ("{CLSID}" classes), so
// their host window class exists before the dialog manager creates them.
#include <cstring>
#include <string>

#include "framework/OleControlContainer.h"

namespace {

// Reads a template with bounds checks; a read past the end marks the reader failed.
class TemplateReader {
public:
    TemplateReader(const void* p, size_t cb) : m_base(static_cast<const BYTE*>(p)), m_pos(0), m_size(p ? cb : 0) {}
    bool Ok() const { return m_ok; }

    template <class T>
    T Read()
    {
        T value{};
        if (m_size - m_pos < sizeof(T)) {
            m_ok = false;
            m_pos = m_size;
            return value;
        }
        std::memcpy(&value, m_base + m_pos, sizeof(T));
        m_pos += sizeof(T);
        return value;
    }
    void Skip(size_t n)
    {
        if (m_size - m_pos < n) {
            m_ok = false;
            m_pos = m_size;
        } else {
            m_pos += n;
        }
    }
    void AlignDword() { Skip((4 - m_pos % 4) % 4); }
    std::wstring ReadString()
    {
        std::wstring s;
        for (;;) {
            WORD ch = Read<WORD>();
            if (!m_ok || ch == 0)
                return s;
            s += static_cast<wchar_t>(ch);
        }
    }
    // A name or an ordinal (0xFFFF then a number); ordinals and "none" give an empty text.
    std::wstring ReadNameOrOrdinal()
    {
        WORD first = Read<WORD>();
        if (!m_ok || first == 0)
            return std::wstring();
        if (first == 0xFFFF) {
            Read<WORD>();
            return std::wstring();
        }
        std::wstring rest = ReadString();
        return static_cast<wchar_t>(first) + rest;
    }

private:
    const BYTE* m_base;
    size_t m_pos;
    size_t m_size;
    bool m_ok = true;
};

}  // namespace

void AfxRegisterTemplateControls(const void* pTemplate, size_t cbTemplate)
{
    TemplateReader r(pTemplate, cbTemplate);
    WORD version = r.Read<WORD>();
    WORD signature = r.Read<WORD>();
    bool extended = version == 1 && signature == 0xFFFF;
    DWORD style = 0;
    WORD items = 0;
    if (extended) {
        r.Read<DWORD>();  // help id
        r.Read<DWORD>();  // extended style
        style = r.Read<DWORD>();
    } else {
        r = TemplateReader(pTemplate, cbTemplate);
        style = r.Read<DWORD>();
        r.Read<DWORD>();  // extended style
    }
    items = r.Read<WORD>();
    r.Skip(4 * sizeof(short));
    r.ReadNameOrOrdinal();  // menu
    r.ReadNameOrOrdinal();  // class
    r.ReadString();         // title
    if (style & DS_SETFONT) {
        r.Read<WORD>();  // point size
        if (extended) {
            r.Read<WORD>();  // weight
            r.Read<BYTE>();  // italic
            r.Read<BYTE>();  // character set
        }
        r.ReadString();  // face name
    }
    for (WORD i = 0; i < items && r.Ok(); ++i) {
        r.AlignDword();
        if (extended) {
            r.Skip(3 * sizeof(DWORD) + 4 * sizeof(short) + sizeof(DWORD));
        } else {
            r.Skip(2 * sizeof(DWORD) + 4 * sizeof(short) + sizeof(WORD));
        }
        std::wstring cls = r.ReadNameOrOrdinal();
        r.ReadNameOrOrdinal();  // title
        WORD extra = r.Read<WORD>();
        r.Skip(extra);
        if (r.Ok() && !cls.empty() && cls[0] == L'{')
            AfxRegisterControlClass(cls.c_str());
    }
}
