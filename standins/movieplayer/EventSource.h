// The control's event connection point: the sinks advised for the event interface, and the
// raising of FSCommand (command and args, reversed into the dispatch parameters as automation
// wants) to each of them.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <utility>
#include <vector>

namespace movieplayer {

class EventSource : public IConnectionPoint {
public:
    explicit EventSource(IConnectionPointContainer* owner) : m_owner(owner) {}
    ~EventSource();
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    // IUnknown: lives inside the control and counts through it.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return m_owner->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_owner->Release(); }

    STDMETHODIMP GetConnectionInterface(IID* pIID) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    STDMETHODIMP Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    STDMETHODIMP Unadvise(DWORD dwCookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** ppEnum) override;

    // Wide strings go to the sinks as automation strings.
    void FireFsCommand(const std::wstring& command, const std::wstring& args);
    void UnadviseAll();

private:
    IConnectionPointContainer* m_owner;
    std::vector<std::pair<DWORD, IDispatch*>> m_sinks;
    DWORD m_nextCookie = 1;
};

}  // namespace movieplayer
