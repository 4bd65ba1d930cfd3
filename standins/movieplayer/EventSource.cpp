// Event connection point of the control.
#include "standins/movieplayer/EventSource.h"

#include "standins/movieplayer/MoviePlayerIds.h"

namespace movieplayer {

EventSource::~EventSource() { UnadviseAll(); }

STDMETHODIMP EventSource::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPoint)) {
        *ppv = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP EventSource::GetConnectionInterface(IID* pIID)
{
    if (!pIID)
        return E_POINTER;
    *pIID = kDiidEvents;
    return S_OK;
}

STDMETHODIMP EventSource::GetConnectionPointContainer(IConnectionPointContainer** ppCPC)
{
    if (!ppCPC)
        return E_POINTER;
    *ppCPC = m_owner;
    m_owner->AddRef();
    return S_OK;
}

STDMETHODIMP EventSource::Advise(IUnknown* pUnkSink, DWORD* pdwCookie)
{
    if (!pdwCookie)
        return E_POINTER;
    *pdwCookie = 0;
    if (!pUnkSink)
        return E_POINTER;
    IDispatch* sink = nullptr;
    // The sink must speak the event interface; a plain IDispatch is accepted as well.
    if (FAILED(pUnkSink->QueryInterface(kDiidEvents, reinterpret_cast<void**>(&sink))) &&
        FAILED(pUnkSink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&sink))))
        return CONNECT_E_CANNOTCONNECT;
    *pdwCookie = m_nextCookie++;
    m_sinks.emplace_back(*pdwCookie, sink);
    return S_OK;
}

STDMETHODIMP EventSource::Unadvise(DWORD dwCookie)
{
    for (auto it = m_sinks.begin(); it != m_sinks.end(); ++it) {
        if (it->first == dwCookie) {
            IDispatch* sink = it->second;
            m_sinks.erase(it);
            sink->Release();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

STDMETHODIMP EventSource::EnumConnections(IEnumConnections** ppEnum)
{
    if (ppEnum)
        *ppEnum = nullptr;
    return E_NOTIMPL;
}

void EventSource::UnadviseAll()
{
    auto sinks = std::move(m_sinks);
    m_sinks.clear();
    for (auto& s : sinks)
        s.second->Release();
}

void EventSource::FireFsCommand(const std::wstring& command, const std::wstring& args)
{
    // A sink may unadvise (or advise) from inside the call: work on a held copy.
    auto sinks = m_sinks;
    for (auto& s : sinks)
        s.second->AddRef();
    for (auto& s : sinks) {
        VARIANT params[2];
        params[0].vt = VT_BSTR;
        params[0].bstrVal = ::SysAllocStringLen(args.data(), static_cast<UINT>(args.size()));
        params[1].vt = VT_BSTR;
        params[1].bstrVal = ::SysAllocStringLen(command.data(), static_cast<UINT>(command.size()));
        DISPPARAMS dp = { params, nullptr, 2, 0 };
        s.second->Invoke(kEventFsCommand, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &dp, nullptr, nullptr,
                         nullptr);
        ::SysFreeString(params[0].bstrVal);
        ::SysFreeString(params[1].bstrVal);
    }
    for (auto& s : sinks)
        s.second->Release();
}

}  // namespace movieplayer
