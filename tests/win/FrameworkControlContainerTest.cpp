// The framework's ActiveX control container against the fake WebBrowser: hosting from a dialog
// template, binding, calls by dispatch id, event-sink maps with typed and by-reference
// parameters, accelerators, and the control's release with its window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeHtmlDocument.h"
#include "fakes/FakeWebBrowser.h"
#include "framework/Afx.h"
#include "resource.h"
#include "win/PreTranslatePump.h"

using fakes::FakeWebBrowser;
using namespace testing_support;

namespace {

const wchar_t kWebBrowserClass[] = L"{8856F961-340A-11D0-A96B-00C04FD705A2}";

// A dialog of the page window's template with handlers of every parameter kind.
class HostDialog : public CDialog {
public:
    HostDialog() : CDialog(IDD_WEB_WND) {}

    CWnd m_control;
    std::vector<std::string> texts;
    int newWindowCalls = 0;
    BOOL cancelSeen = -1;
    BOOL cancelToSet = TRUE;
    IDispatch** slotSeen = nullptr;
    IDispatch* frameSeen = nullptr;
    std::wstring urlSeen;
    VARIANT* urlVariantSeen = nullptr;
    int otherControlCalls = 0;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_WEB_BROWSER, m_control); }

    bool destroyOnText = false;

    void OnText(const char* text)
    {
        texts.push_back(text);
        if (destroyOnText)
            DestroyWindow();
    }
    void OnNewWindow(IDispatch** ppDisp, BOOL* pCancel)
    {
        ++newWindowCalls;
        slotSeen = ppDisp;
        cancelSeen = *pCancel;
        *pCancel = cancelToSet;
    }
    void OnNavigated(IDispatch* pFrame, VARIANT* pUrl)
    {
        frameSeen = pFrame;
        urlVariantSeen = pUrl;
        urlSeen = (pUrl && V_VT(pUrl) == VT_BSTR) ? V_BSTR(pUrl) : L"?";
    }
    void OnOtherControl() { ++otherControlCalls; }

    DECLARE_EVENTSINK_MAP()
};

BEGIN_EVENTSINK_MAP(HostDialog, CDialog)
    ON_EVENT(HostDialog, IDC_WEB_BROWSER, 102, &HostDialog::OnText)
    ON_EVENT(HostDialog, IDC_WEB_BROWSER, 251, &HostDialog::OnNewWindow)
    ON_EVENT(HostDialog, IDC_WEB_BROWSER, 252, &HostDialog::OnNavigated)
    ON_EVENT(HostDialog, IDC_WEB_BROWSER + 1, 259, &HostDialog::OnOtherControl)
END_EVENTSINK_MAP()

struct ControlContainer : ::testing::Test {
    void SetUp() override
    {
        AfxEnableControlContainer();
        ASSERT_TRUE(registration.Ok());
        ASSERT_TRUE(dlg.Create(IDD_WEB_WND, nullptr));
        fake = FakeWebBrowser::Below(dlg.m_hWnd);
        ASSERT_NE(fake, nullptr);
    }
    void TearDown() override
    {
        if (dlg.m_hWnd)
            dlg.DestroyWindow();
    }

    fakes::FakeWebBrowserRegistration registration;
    HostDialog dlg;
    FakeWebBrowser* fake = nullptr;
};

RECT ClientOf(HWND hWnd)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    return rc;
}

}  // namespace

TEST_F(ControlContainer, TemplateControlIsHostedInPlaceAndBound)
{
    HWND host = ::GetDlgItem(dlg.m_hWnd, IDC_WEB_BROWSER);
    ASSERT_TRUE(host);
    wchar_t cls[64] = {};
    ::GetClassNameW(host, cls, 64);
    EXPECT_EQ(lstrcmpiW(cls, kWebBrowserClass), 0);
    EXPECT_EQ(dlg.m_control.m_hWnd, host) << "DDX_Control binds the template's control";
    EXPECT_NE(dlg.m_control.GetControlUnknown(), nullptr);

    EXPECT_TRUE(fake->IsInPlaceActive());
    EXPECT_EQ(fake->SiteWindow(), host);
    ASSERT_TRUE(fake->Window());
    EXPECT_EQ(::GetParent(fake->Window()), host) << "a windowed control inside its host";
    EXPECT_EQ(fake->SinkCount(), 1u) << "events are connected";

    // Focus given to the host goes on to the control's window.
    dlg.ShowWindow(SW_SHOW);
    ::SetForegroundWindow(dlg.m_hWnd);
    ::SetFocus(host);
    EXPECT_EQ(::GetFocus(), fake->Window());

    // The control follows its host's size.
    RECT rcHost = ClientOf(host), rcControl = ClientOf(fake->Window());
    EXPECT_EQ(rcControl.right, rcHost.right);
    EXPECT_EQ(rcControl.bottom, rcHost.bottom);
    ::SetWindowPos(host, nullptr, 3, 4, 321, 123, SWP_NOZORDER | SWP_NOACTIVATE);
    rcControl = ClientOf(fake->Window());
    EXPECT_EQ(rcControl.right, 321);
    EXPECT_EQ(rcControl.bottom, 123);
}

TEST_F(ControlContainer, ControlIsClosedAndReleasedWithItsWindow)
{
    EXPECT_EQ(FakeWebBrowser::LiveCount(), 1u);
    dlg.DestroyWindow();
    EXPECT_EQ(dlg.m_control.m_hWnd, nullptr);
    EXPECT_EQ(FakeWebBrowser::LiveCount(), 0u) << "every reference to the control is released";
}

TEST_F(ControlContainer, InvokeHelperPassesArgumentsByDispatchId)
{
    VARIANT empty;
    ::VariantInit(&empty);
    static const BYTE params[] = VTS_BSTR VTS_I4 VTS_BOOL VTS_PVARIANT VTS_PVARIANT;
    dlg.m_control.InvokeHelper(104, DISPATCH_METHOD, VT_EMPTY, nullptr, params, "http://a b/?c=\"d\"", 7L, TRUE,
                               static_cast<VARIANT*>(nullptr), &empty);
    dlg.m_control.InvokeHelper(-550, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
    auto calls = fake->Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].dispid, 104);
    EXPECT_EQ(calls[0].flags, DISPATCH_METHOD);
    EXPECT_EQ(calls[0].args, (std::vector<std::string>{ "BSTR:http://a b/?c=\"d\"", "I4:7", "VT:11", "missing", "ref:EMPTY" }));
    EXPECT_EQ(calls[1].dispid, -550);
    EXPECT_TRUE(calls[1].args.empty());

    // A property read hands over a reference; no value gives null.
    IDispatch* pDoc = fakes::CreatePlainDispatch();
    fake->SetDocument(pDoc);
    IDispatch* pGot = reinterpret_cast<IDispatch*>(1);
    dlg.m_control.InvokeHelper(203, DISPATCH_PROPERTYGET, VT_DISPATCH, &pGot, nullptr);
    EXPECT_EQ(pGot, pDoc);
    if (pGot)
        pGot->Release();
    fake->SetDocument(nullptr);
    pDoc->Release();
    pGot = reinterpret_cast<IDispatch*>(1);
    dlg.m_control.InvokeHelper(203, DISPATCH_PROPERTYGET, VT_DISPATCH, &pGot, nullptr);
    EXPECT_EQ(pGot, nullptr);
    // A member the control does not have fails quietly with an empty result.
    long n = 5;
    dlg.m_control.InvokeHelper(777, DISPATCH_PROPERTYGET, VT_I4, &n, nullptr);
    EXPECT_EQ(n, 0);
}

TEST_F(ControlContainer, InvokeHelperWithoutControlOrWithUnknownArgumentDoesNothing)
{
    fake->ClearCalls();
    // An argument kind the helper does not know is not guessed at.
    static const BYTE unknown[] = "\x05";
    dlg.m_control.InvokeHelper(104, DISPATCH_METHOD, VT_EMPTY, nullptr, unknown, 1.5);
    EXPECT_TRUE(fake->Calls().empty());

    CWnd unbound;
    IDispatch* pGot = reinterpret_cast<IDispatch*>(1);
    unbound.InvokeHelper(203, DISPATCH_PROPERTYGET, VT_DISPATCH, &pGot, nullptr);
    EXPECT_EQ(pGot, nullptr);
    // A window that hosts no control.
    CWnd plain;
    ASSERT_TRUE(plain.SubclassDlgItem(IDC_WEB_BROWSER, &dlg) == FALSE) << "already bound";
    HWND other = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, dlg.m_hWnd, nullptr, nullptr, nullptr);
    ASSERT_TRUE(plain.SubclassWindow(other));
    plain.InvokeHelper(-550, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
    EXPECT_TRUE(fake->Calls().empty());
    plain.DestroyWindow();
}

TEST_F(ControlContainer, EventsReachTypedHandlersAndFlagsAreWrittenBack)
{
    EXPECT_EQ(fake->FireStatusTextChange(L"http://x/y?z=1"), S_OK);
    EXPECT_EQ(fake->FireStatusTextChange(L""), S_OK);
    EXPECT_EQ(dlg.texts, (std::vector<std::string>{ "http://x/y?z=1", "" }));

    IDispatch* slot = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    EXPECT_EQ(fake->FireNewWindow2(&slot, &cancel), S_OK);
    EXPECT_EQ(dlg.newWindowCalls, 1);
    EXPECT_EQ(dlg.cancelSeen, FALSE);
    EXPECT_EQ(dlg.slotSeen, &slot) << "the handler gets the control's own slot";
    EXPECT_EQ(cancel, VARIANT_TRUE) << "Cancel is written back";

    dlg.cancelToSet = FALSE;
    cancel = VARIANT_TRUE;
    fake->FireNewWindow2(&slot, &cancel);
    EXPECT_EQ(dlg.cancelSeen, TRUE);
    EXPECT_EQ(cancel, VARIANT_FALSE);

    IDispatch* frame = fakes::CreatePlainDispatch();
    fake->FireNavigateComplete2(frame, L"http://page/");
    EXPECT_EQ(dlg.frameSeen, frame);
    EXPECT_EQ(dlg.urlSeen, L"http://page/");
    frame->Release();
}

TEST_F(ControlContainer, MismatchedOrUnmappedEventsCallNoHandler)
{
    // Wrong parameter count.
    VARIANTARG text;
    ::VariantInit(&text);
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = ::SysAllocString(L"a");
    EXPECT_EQ(fake->FireEvent(251, { text }), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(fake->FireEvent(102, {}), DISP_E_BADPARAMCOUNT);
    // Cancel not passed by reference.
    VARIANTARG notRef[2];
    ::VariantInit(&notRef[0]);
    ::VariantInit(&notRef[1]);
    V_VT(&notRef[0]) = VT_BOOL;
    V_BOOL(&notRef[0]) = VARIANT_FALSE;
    V_VT(&notRef[1]) = VT_DISPATCH;
    V_DISPATCH(&notRef[1]) = nullptr;
    EXPECT_EQ(fake->FireEvent(251, { notRef[0], notRef[1] }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(dlg.newWindowCalls, 0);
    // A number is text enough for a text parameter.
    VARIANTARG number;
    ::VariantInit(&number);
    V_VT(&number) = VT_I4;
    V_I4(&number) = 42;
    EXPECT_EQ(fake->FireEvent(102, { number }), S_OK);
    EXPECT_EQ(dlg.texts, (std::vector<std::string>{ "42" }));
    // An event with no row, and a row of another control.
    EXPECT_EQ(fake->FireEvent(999, {}), S_OK);
    EXPECT_EQ(fake->FireDocumentComplete(nullptr, L"http://page/"), S_OK);
    EXPECT_EQ(dlg.otherControlCalls, 0);
}

TEST_F(ControlContainer, HandlerMayDestroyTheDialogDuringTheEvent)
{
    dlg.destroyOnText = true;
    EXPECT_EQ(fake->FireStatusTextChange(L"bye"), S_OK);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.texts, (std::vector<std::string>{ "bye" }));
    EXPECT_EQ(FakeWebBrowser::LiveCount(), 0u);
}

TEST_F(ControlContainer, ControlSeesItsAcceleratorsBeforeTheDialogManager)
{
    fake->SetAcceleratorKeys({ 'A' });
    ::PostMessageA(fake->Window(), WM_KEYDOWN, 'A', 1);
    ::PostMessageA(fake->Window(), WM_KEYDOWN, 'B', 1);
    ::PostMessageA(dlg.m_hWnd, WM_KEYDOWN, 'C', 1);
    PumpWithPreTranslate(100);

    auto offered = fake->AcceleratorKeys();
    auto received = fake->WindowKeys();
    auto has = [](const std::vector<std::pair<UINT, WPARAM>>& keys, WPARAM key) {
        for (auto& k : keys)
            if (k.first == WM_KEYDOWN && k.second == key)
                return true;
        return false;
    };
    EXPECT_TRUE(has(offered, 'A'));
    EXPECT_FALSE(has(received, 'A')) << "a key the control takes as an accelerator is not delivered again";
    EXPECT_TRUE(has(offered, 'B'));
    EXPECT_TRUE(has(received, 'B'));
    EXPECT_FALSE(has(offered, 'C')) << "keys for windows outside the control are not offered to it";
}

TEST_F(ControlContainer, CreateControlMakesAChildHostingTheControl)
{
    CWnd control;
    ASSERT_TRUE(control.CreateControl(fakes::kCLSID_WebBrowser, "page", WS_VISIBLE, CRect(10, 20, 110, 70), &dlg, 1234));
    EXPECT_EQ(::GetDlgCtrlID(control.m_hWnd), 1234);
    EXPECT_EQ(::GetParent(control.m_hWnd), dlg.m_hWnd);
    FakeWebBrowser* second = FakeWebBrowser::Below(control.m_hWnd);
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, fake);
    RECT rc = ClientOf(second->Window());
    EXPECT_EQ(rc.right, 100);
    EXPECT_EQ(rc.bottom, 50);
    control.InvokeHelper(-550, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
    EXPECT_EQ(second->Calls().size(), 1u);
    EXPECT_TRUE(fake->Calls().empty());

    // A class that is not registered leaves nothing behind.
    const CLSID unknown = { 0x1D3B6F0A, 0x52C4, 0x4E8B, { 0x9A, 0x17, 0x6C, 0x2E, 0x44, 0x90, 0xAB, 0x01 } };
    CWnd missing;
    EXPECT_FALSE(missing.CreateControl(unknown, "", WS_VISIBLE, CRect(0, 0, 10, 10), &dlg, 1235));
    EXPECT_EQ(missing.m_hWnd, nullptr);
    EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, 1235), nullptr);
}

TEST(TemplateControls, RegistersBracedClassesOfPlainAndTruncatedTemplates)
{
    // A plain (not extended) template with one control of a braced class, built by hand.
    const wchar_t cls[] = L"{6A0F3E21-9C4B-4D7E-8F12-3B5C7D9E1A24}";
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) { t.push_back(LOWORD(v)); t.push_back(HIWORD(v)); };
    auto text = [&t](const wchar_t* s) { for (; *s; ++s) t.push_back(*s); t.push_back(0); };
    dword(WS_POPUP | DS_SETFONT);
    dword(0);
    t.push_back(1);                               // one item
    for (int i = 0; i < 4; ++i) t.push_back(10);  // x y cx cy
    t.push_back(0);                               // no menu
    t.push_back(0);                               // default class
    text(L"title");
    t.push_back(8);
    text(L"MS Shell Dlg");
    if (t.size() % 2)
        t.push_back(0);  // DWORD alignment
    dword(WS_CHILD);
    dword(0);
    for (int i = 0; i < 4; ++i) t.push_back(5);
    t.push_back(77);  // id
    text(cls);
    text(L"");
    t.push_back(0);  // no creation data

    WNDCLASSEXW wc = { sizeof wc };
    ASSERT_FALSE(::GetClassInfoExW(::GetModuleHandleW(nullptr), cls, &wc));
    // Every cut-off copy is read safely and registers nothing.
    for (size_t n = 0; n < t.size() * 2; ++n)
        AfxRegisterTemplateControls(t.data(), n);
    EXPECT_FALSE(::GetClassInfoExW(::GetModuleHandleW(nullptr), cls, &wc));
    AfxRegisterTemplateControls(t.data(), t.size() * 2);
    EXPECT_TRUE(::GetClassInfoExW(::GetModuleHandleW(nullptr), cls, &wc));

    // Braces around something that is not a class identifier are not a control.
    EXPECT_FALSE(AfxRegisterControlClass(L"{not-a-class}"));
    AfxRegisterTemplateControls(nullptr, 100);
}
