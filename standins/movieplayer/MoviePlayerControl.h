// The stand-in movie control: an OLE control answering to the Flash control's class that plays
// movies with the portable player. It activates windowless in place through its site, draws into
// the DC the site gives (over what it holds for the transparent aspect), takes the site's mouse
// messages, advances frames from a timer of its own and announces each changed frame through the
// site's InvalidateRect. Its typed interface is automation by member name.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

#include "standins/movieplayer/EventSource.h"
#include "standins/movieplayer/core/Player.h"

namespace movieplayer {

class MoviePlayerControl : public IOleObject,
                           public IViewObjectEx,
                           public IOleInPlaceObjectWindowless,
                           public IConnectionPointContainer,
                           public IPersistStorage,
                           public IDispatch {
public:
    MoviePlayerControl();
    virtual ~MoviePlayerControl();
    MoviePlayerControl(const MoviePlayerControl&) = delete;
    MoviePlayerControl& operator=(const MoviePlayerControl&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pSite) override;
    STDMETHODIMP GetClientSite(IOleClientSite** ppSite) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD dwSaveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** pp) override;
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** pp) override;
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND, LPCRECT lprcPosRect) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** pp) override;
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override;
    STDMETHODIMP GetUserType(DWORD, LPOLESTR* pp) override;
    STDMETHODIMP SetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, SIZEL* psizel) override;
    STDMETHODIMP Advise(IAdviseSink*, DWORD* pdw) override;
    STDMETHODIMP Unadvise(DWORD) override { return OLE_E_NOCONNECTION; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** pp) override;
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* pdwStatus) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IViewObject / IViewObject2 / IViewObjectEx
    STDMETHODIMP Draw(DWORD dwDrawAspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC hdcDraw, LPCRECTL lprcBounds,
                      LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return E_NOTIMPL; }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD advf, IAdviseSink* pSink) override;
    STDMETHODIMP GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppSink) override;
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, LONG, DVTARGETDEVICE*, LPSIZEL lpsizel) override;
    STDMETHODIMP GetRect(DWORD, LPRECTL) override { return E_NOTIMPL; }
    STDMETHODIMP GetViewStatus(DWORD* pdwStatus) override;
    STDMETHODIMP QueryHitPoint(DWORD, LPCRECT pRectBounds, POINT ptlLoc, LONG, DWORD* pHitResult) override;
    STDMETHODIMP QueryHitRect(DWORD, LPCRECT, LPCRECT, LONG, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP GetNaturalExtent(DWORD, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO*, LPSIZEL) override
    {
        return E_NOTIMPL;
    }

    // IOleWindow / IOleInPlaceObject / IOleInPlaceObjectWindowless
    STDMETHODIMP GetWindow(HWND* phwnd) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT lprcClipRect) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* plResult) override;
    STDMETHODIMP GetDropTarget(IDropTarget** pp) override;

    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** pp) override;
    STDMETHODIMP FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override;

    // IPersist / IPersistStorage: nothing is kept in storage
    STDMETHODIMP GetClassID(CLSID* pClsid) override;
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP InitNew(IStorage*) override { return S_OK; }
    STDMETHODIMP Load(IStorage*) override { return S_OK; }
    STDMETHODIMP Save(IStorage*, BOOL) override { return S_OK; }
    STDMETHODIMP SaveCompleted(IStorage*) override { return S_OK; }
    STDMETHODIMP HandsOffStorage() override { return S_OK; }

    // IDispatch: the typed interface's members by name (MoviePlayerAutomation.cpp)
    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** pp) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT* argErr) override;

    // Called by the timer window.
    void OnTimer();

private:
    HRESULT ActivateInPlace(IOleClientSite* site, LPCRECT lprcPosRect);
    HRESULT LoadMovieFile(const std::wstring& url);
    void StartTimer();
    void StopTimer();
    void Invalidate();
    void SyncViewport();
    HRESULT PutProperty(DISPID id, const VARIANT& value);
    HRESULT GetProperty(DISPID id, VARIANT* result);
    std::wstring Widen(const std::string& text) const;

    LONG m_ref = 1;
    IOleClientSite* m_site = nullptr;
    IOleInPlaceSiteWindowless* m_inPlaceSite = nullptr;
    HWND m_siteWindow = nullptr;
    IAdviseSink* m_viewSink = nullptr;
    DWORD m_viewAspects = 0, m_viewAdvf = 0;
    RECT m_rcPos = {};
    SIZEL m_extent = { 0, 0 };
    EventSource m_events;
    Player m_player;
    HWND m_timerWindow = nullptr;
    bool m_timerRunning = false;
    // Calls into the player under way. A command handler may run a modal loop (a message box)
    // whose timer messages must not step the movie in the middle of its own actions.
    int m_playerCalls = 0;

    // Automation properties.
    std::wstring m_wmode = L"window";
    std::wstring m_scale = L"showAll";
    long m_backgroundColor = -1;  // 0xRRGGBB, or -1 for the movie's own
    bool m_embedMovie = false;
};

}  // namespace movieplayer
