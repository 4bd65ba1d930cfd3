// The control site's own COM answers: identity, refused interfaces, reference counting that never
// ends the object, the window context, and the storage stub.
#include <gtest/gtest.h>

#include "flashhost/FlashDlgBase.h"
#include "support/TestSupport.h"

namespace {

// The plain site without the Flash specialisation.
using PlainSite = TOleBaseDlg<IShockwaveFlash>;

IUnknown* IdentityOf(IUnknown* p)
{
    IUnknown* id = nullptr;
    EXPECT_EQ(p->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&id)), S_OK);
    return id;
}

}  // namespace

TEST(ControlSite, IdentityIsTheSameThroughEveryInterface)
{
    CFlashDlgBase site;
    IUnknown* expected = static_cast<IOleClientSite*>(&site);
    IUnknown* through[] = {
        static_cast<IOleClientSite*>(&site), static_cast<IOleInPlaceSiteWindowless*>(&site),
        static_cast<IOleInPlaceFrame*>(&site), static_cast<IStorage*>(&site), static_cast<_IShockwaveFlashEvents*>(&site),
    };
    for (IUnknown* p : through)
        EXPECT_EQ(IdentityOf(p), expected);

    struct Answer { const IID* iid; void* pointer; };
    const Answer answers[] = {
        { &IID_IOleClientSite, static_cast<IOleClientSite*>(&site) },
        { &IID_IOleInPlaceSite, static_cast<IOleInPlaceSiteWindowless*>(&site) },
        { &IID_IOleInPlaceSiteEx, static_cast<IOleInPlaceSiteWindowless*>(&site) },
        { &IID_IOleInPlaceSiteWindowless, static_cast<IOleInPlaceSiteWindowless*>(&site) },
        { &IID_IOleInPlaceFrame, static_cast<IOleInPlaceFrame*>(&site) },
        { &IID_IStorage, static_cast<IStorage*>(&site) },
        { &DIID__IShockwaveFlashEvents, static_cast<_IShockwaveFlashEvents*>(&site) },
    };
    for (const Answer& a : answers) {
        void* p = reinterpret_cast<void*>(1);
        EXPECT_EQ(site.QueryInterface(*a.iid, &p), S_OK);
        EXPECT_EQ(p, a.pointer);
    }
}

TEST(ControlSite, RefusesDispatchAndWindowInterfaces)
{
    CFlashDlgBase site;
    PlainSite plain;
    for (const IID* iid : { &IID_IDispatch, &IID_IOleWindow, &IID_IOleInPlaceUIWindow, &IID_IOleContainer }) {
        void* p = reinterpret_cast<void*>(1);
        EXPECT_EQ(site.QueryInterface(*iid, &p), E_NOINTERFACE);
        EXPECT_EQ(p, nullptr);
        p = reinterpret_cast<void*>(1);
        EXPECT_EQ(plain.QueryInterface(*iid, &p), E_NOINTERFACE);
        EXPECT_EQ(p, nullptr);
    }
    // Only the Flash specialisation is an event sink.
    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(plain.QueryInterface(DIID__IShockwaveFlashEvents, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
}

TEST(ControlSite, ReleaseToZeroOrBelowLeavesItUsable)
{
    CFlashDlgBase site;
    EXPECT_EQ(site.AddRef(), 1u);
    EXPECT_EQ(site.Release(), 0u);
    EXPECT_EQ(static_cast<LONG>(site.Release()), -1);
    EXPECT_EQ(static_cast<LONG>(static_cast<IStorage*>(&site)->Release()), -2);
    void* p = nullptr;
    EXPECT_EQ(site.QueryInterface(IID_IOleClientSite, &p), S_OK);  // still answers
    EXPECT_EQ(site.m_nRefCount, -1);
}

TEST(ControlSite, MethodAnswers)
{
    CFlashDlgBase site;
    IOleClientSite* cs = &site;
    IOleInPlaceSiteWindowless* ips = &site;
    IOleInPlaceFrame* frame = &site;
    EXPECT_EQ(cs->SaveObject(), E_NOTIMPL);
    EXPECT_EQ(cs->GetMoniker(0, 0, nullptr), E_NOTIMPL);
    IOleContainer* container = reinterpret_cast<IOleContainer*>(1);
    EXPECT_EQ(cs->GetContainer(&container), E_NOINTERFACE);
    EXPECT_EQ(container, nullptr);
    EXPECT_EQ(cs->ShowObject(), S_OK);
    EXPECT_EQ(cs->OnShowWindow(TRUE), E_NOTIMPL);
    EXPECT_EQ(cs->RequestNewObjectLayout(), E_NOTIMPL);

    EXPECT_EQ(ips->CanInPlaceActivate(), S_OK);
    EXPECT_EQ(ips->ContextSensitiveHelp(TRUE), E_NOTIMPL);
    EXPECT_EQ(ips->Scroll(SIZE{ 1, 1 }), E_NOTIMPL);
    EXPECT_EQ(ips->DiscardUndoState(), E_NOTIMPL);
    EXPECT_EQ(ips->OnPosRectChange(nullptr), S_OK);
    BOOL noRedraw = TRUE;
    EXPECT_EQ(ips->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS), S_OK);
    EXPECT_FALSE(noRedraw);
    EXPECT_EQ(ips->OnInPlaceActivateEx(nullptr, 0), S_OK);
    EXPECT_EQ(ips->OnInPlaceDeactivateEx(TRUE), S_FALSE);
    EXPECT_EQ(ips->RequestUIActivate(), S_FALSE);
    EXPECT_EQ(ips->CanWindowlessActivate(), S_OK);
    EXPECT_EQ(ips->GetCapture(), S_FALSE);
    EXPECT_EQ(ips->SetCapture(TRUE), S_FALSE);
    EXPECT_EQ(ips->GetFocus(), S_OK);
    EXPECT_EQ(ips->SetFocus(TRUE), S_OK);
    HDC dc = reinterpret_cast<HDC>(1);
    EXPECT_EQ(ips->GetDC(nullptr, 0, &dc), S_FALSE);
    EXPECT_EQ(dc, nullptr);
    EXPECT_EQ(ips->ReleaseDC(nullptr), S_FALSE);
    EXPECT_EQ(ips->InvalidateRgn(nullptr, TRUE), S_OK);
    EXPECT_EQ(ips->ScrollRect(0, 0, nullptr, nullptr), E_NOTIMPL);
    RECT rc = { 1, 2, 3, 4 };
    EXPECT_EQ(ips->AdjustRect(&rc), S_FALSE);
    EXPECT_EQ(rc.right, 3);
    LRESULT lr = 0;
    EXPECT_EQ(ips->OnDefWindowMessage(WM_PAINT, 0, 0, &lr), S_FALSE);

    EXPECT_EQ(frame->GetBorder(&rc), E_NOTIMPL);
    EXPECT_EQ(frame->RequestBorderSpace(nullptr), E_NOTIMPL);
    EXPECT_EQ(frame->SetBorderSpace(nullptr), E_NOTIMPL);
    EXPECT_EQ(frame->SetActiveObject(nullptr, L"x"), S_OK);
    EXPECT_EQ(frame->InsertMenus(nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(frame->SetMenu(nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(frame->RemoveMenus(nullptr), E_NOTIMPL);
    EXPECT_EQ(frame->SetStatusText(L"x"), S_OK);
    EXPECT_EQ(frame->EnableModeless(TRUE), S_OK);
    EXPECT_EQ(frame->TranslateAccelerator(nullptr, 0), E_NOTIMPL);

    _IShockwaveFlashEvents* events = &site;
    UINT count = 7;
    EXPECT_EQ(events->GetTypeInfoCount(&count), E_NOTIMPL);
    EXPECT_EQ(events->GetTypeInfo(0, 0, nullptr), E_NOTIMPL);
    EXPECT_EQ(events->GetIDsOfNames(IID_NULL, nullptr, 0, 0, nullptr), E_NOTIMPL);
}

TEST(ControlSite, StorageOnlyTakesItsClass)
{
    CFlashDlgBase site;
    IStorage* stg = &site;
    IStream* stream = nullptr;
    IStorage* sub = nullptr;
    STATSTG stat = {};
    EXPECT_EQ(stg->SetClass(CLSID_ShockwaveFlash), S_OK);
    const HRESULT results[] = {
        stg->CreateStream(L"s", 0, 0, 0, &stream), stg->OpenStream(L"s", nullptr, 0, 0, &stream),
        stg->CreateStorage(L"s", 0, 0, 0, &sub), stg->OpenStorage(L"s", nullptr, 0, nullptr, 0, &sub),
        stg->CopyTo(0, nullptr, nullptr, nullptr), stg->MoveElementTo(L"a", nullptr, L"b", 0), stg->Commit(0),
        stg->Revert(), stg->EnumElements(0, nullptr, 0, nullptr), stg->DestroyElement(L"a"),
        stg->RenameElement(L"a", L"b"), stg->SetElementTimes(L"a", nullptr, nullptr, nullptr),
        stg->SetStateBits(0, 0), stg->Stat(&stat, 0),
    };
    for (HRESULT hr : results)
        EXPECT_EQ(hr, E_NOTIMPL);
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(sub, nullptr);
}

TEST(ControlSite, WindowContextReportsHostClientArea)
{
    HWND host = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 30, 40, 321, 123, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_TRUE(host);
    CFlashDlgBase site;
    site.m_hWndHost = host;
    IOleInPlaceFrame* frame = nullptr;
    IOleInPlaceUIWindow* doc = reinterpret_cast<IOleInPlaceUIWindow*>(1);
    RECT pos = {}, clip = {};
    OLEINPLACEFRAMEINFO info = {};
    info.cb = 1234;
    info.fMDIApp = TRUE;
    info.haccel = reinterpret_cast<HACCEL>(5);
    info.cAccelEntries = 9;
    EXPECT_EQ(site.GetWindowContext(&frame, &doc, &pos, &clip, &info), S_OK);
    EXPECT_EQ(frame, static_cast<IOleInPlaceFrame*>(&site));
    EXPECT_EQ(doc, nullptr);
    RECT expected = { 0, 0, 321, 123 };
    EXPECT_TRUE(::EqualRect(&pos, &expected));
    EXPECT_TRUE(::EqualRect(&clip, &expected));
    EXPECT_EQ(info.cb, 1234u);
    EXPECT_FALSE(info.fMDIApp);
    EXPECT_EQ(info.hwndFrame, host);
    EXPECT_EQ(info.haccel, nullptr);
    EXPECT_EQ(info.cAccelEntries, 0u);
    HWND hwnd = nullptr;
    EXPECT_EQ(site.GetWindow(&hwnd), S_OK);
    EXPECT_EQ(hwnd, host);
    ::DestroyWindow(host);
}
