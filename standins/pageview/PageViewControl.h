// The page view as an ActiveX control under the WebBrowser class: created by a container, made
// in-place active in the container's window, driven through IDispatch (Navigate, Navigate2,
// Refresh, Document) and raising DWebBrowserEvents2 through a connection point.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <oleidl.h>

#include <string>
#include <utility>
#include <vector>

#include "PageWindow.h"

namespace pageview {

class PageDocument;

class PageViewControl final : public IDispatch,
                        public IOleObject,
                        public IOleInPlaceObject,
                        public IOleInPlaceActiveObject,
                        public IOleControl,
                        public IConnectionPointContainer,
                        public IProvideClassInfo2,
                        public IPersistStorage,
                        public IPersistStreamInit,
                        private PageWindowHost {
public:
    PageViewControl();  // one reference, the creator's

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent, LPCRECT posRect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return OLEOBJ_E_NOVERBS; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return OLE_S_USEREG; }
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP Unadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT pos, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO*) override { return E_NOTIMPL; }
    STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID) override { return S_OK; }
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // IConnectionPointContainer (one point: DWebBrowserEvents2)
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** point) override;

    // IProvideClassInfo2
    STDMETHODIMP GetClassInfo(ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

    // IPersist, IPersistStorage, IPersistStreamInit: the view keeps no state.
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP InitNew(IStorage*) override { return S_OK; }
    STDMETHODIMP Load(IStorage*) override { return S_OK; }
    STDMETHODIMP Save(IStorage*, BOOL) override { return S_OK; }
    STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
    STDMETHODIMP HandsOffStorage() override { return S_OK; }
    STDMETHODIMP InitNew() override { return S_OK; }
    STDMETHODIMP Load(IStream*) override { return S_OK; }
    STDMETHODIMP Save(IStream*, BOOL) override { return S_OK; }
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

private:
    // The event connection point; part of the control, counted with it.
    class EventPoint : public IConnectionPoint {
    public:
        explicit EventPoint(PageViewControl* owner) : m_owner(owner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override { return m_owner->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return m_owner->Release(); }
        STDMETHODIMP GetConnectionInterface(IID* iid) override;
        STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
        STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
        STDMETHODIMP Unadvise(DWORD cookie) override;
        STDMETHODIMP EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    private:
        PageViewControl* m_owner;
    };

    ~PageViewControl();

    HRESULT Activate(IOleClientSite* site, HWND parent, LPCRECT posRect);
    void Fire(DISPID id, VARIANT* args, UINT count);

    // PageWindowHost
    void HoldHost() override { AddRef(); }
    void ReleaseHost() override { Release(); }
    void PageStatusText(const std::wstring& text) override;
    bool PageNewWindow(const std::wstring& address) override;
    void PageNavigateComplete(const std::wstring& address, const std::wstring& title) override;
    bool PageScriptError(const std::wstring& message, const std::wstring& address, int line) override;
    void PageDocumentComplete(const std::wstring& address) override;

    LONG m_refs = 1;
    IOleClientSite* m_clientSite = nullptr;
    IOleInPlaceSite* m_inPlaceSite = nullptr;
    SIZEL m_extent;
    LONG m_freeze = 0;
    DWORD m_nextCookie = 1;
    std::vector<std::pair<DWORD, IDispatch*>> m_sinks;
    PageDocument* m_document = nullptr;
    EventPoint m_events;
    PageWindow m_view;
};

}  // namespace pageview
