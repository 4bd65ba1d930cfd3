// Event string values: copy on construction, narrow text converted once on first use.
#include "flashhost/EventString.h"

CEventString::CEventString(const wchar_t* text)
{
    if (text) {
        m_data = std::make_shared<Data>();
        m_data->wide = text;  // stops at the first NUL
    }
}

const char* CEventString::Narrow() const
{
    if (!m_data)
        return nullptr;
    if (!m_data->converted) {
        const std::wstring& w = m_data->wide;
        if (!w.empty()) {
            int n = ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
            m_data->narrow.assign(static_cast<size_t>(n > 0 ? n : 0), '\0');
            if (n > 0)
                ::WideCharToMultiByte(CP_ACP, 0, w.c_str(), static_cast<int>(w.size()), &m_data->narrow[0], n, nullptr, nullptr);
        }
        m_data->converted = true;
    }
    return m_data->narrow.c_str();
}
