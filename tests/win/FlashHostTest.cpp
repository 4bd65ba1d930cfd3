// Creating the Flash control in a host window, rendering it layered, and its events.
#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "support/FlashHostFixture.h"
#include "support/TestSupport.h"

using namespace testing_support;
using fakes::CallsInOrder;
using fakes::CountCalls;
using fakes::State;

namespace {

constexpr DWORD kLauncherStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;

std::string MoviePathOfThisProgram()
{
    return WideToUtf8(BinDir()) + "login.swf";
}

RECT WindowRect(HWND h)
{
    RECT rc;
    ::GetWindowRect(h, &rc);
    return rc;
}

}  // namespace

TEST_F(FlashHostFixture, CreatesLayeredPopupAndActivatesInOrder)
{
    auto site = std::make_unique<RecordingFlashSite>();
    BOOL created = site->CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle);
    ASSERT_TRUE(created);

    EXPECT_TRUE(CallsInOrder({
        "QI IShockwaveFlash", "QI IViewObjectEx", "QI IOleInPlaceObjectWindowless", "QI IConnectionPointContainer",
        "FindConnectionPoint", "Advise", "put WMode=transparent", "put Scale=showAll", "put BackgroundColor=0",
        "put EmbedMovie=0", "SetClientSite", "DoVerb(-1)", "activated windowless", "Draw(32)", "Draw(32)",
        "put EmbedMovie=1", "LoadMovie(0," + MoviePathOfThisProgram() + ")", "Play",
    }));
    EXPECT_EQ(CountCalls("QI IOleInPlaceObject"), 0);  // the windowless interface was enough

    // Caption bits cleared from the given style, extended style replaced outright.
    // (The system keeps WS_CLIPSIBLINGS on every top-level window.)
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(host, GWL_STYLE)) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), kLauncherStyle);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(host, GWL_EXSTYLE)), static_cast<DWORD>(WS_EX_LAYERED));
    RECT rc = WindowRect(host);
    EXPECT_EQ(rc.left, -10000);
    EXPECT_EQ(rc.top, -10000);
    EXPECT_EQ(rc.right - rc.left, 400);
    EXPECT_EQ(rc.bottom - rc.top, 300);
    EXPECT_TRUE(site->m_bLayered);
    EXPECT_EQ(site->m_dwEventCookie, 77u);

    // The control reports its rectangle from the window context: the client area.
    RECT expected = { 0, 0, 400, 300 };
    EXPECT_TRUE(::EqualRect(&State().windowContextPos, &expected));

    fakes::ResetFakeFlash();
    site.reset();
    EXPECT_TRUE(CallsInOrder({ "Unadvise(77)", "Close(1)", "destroyed" }));
}

TEST_F(FlashHostFixture, WindowSizeComesFromSettings)
{
    struct Case { const char* config; int width, height; };
    const Case cases[] = {
        { "window_w=abc\r\nwindow_h=300", 0, 300 },
        { "window_w=800px\r\nwindow_h=300", 800, 300 },
        { "window_w=400\r\nwindow_h=-5", 400, 0 },  // a negative size gives an empty window
        { "", 1000, 695 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config);
        TempDir dir;
        WriteBytes(dir.File(L"config.ini"), std::string("[config]\r\n") + c.config + "\r\n");
        LoadLauncherSettings(CString(dir.File(L"config.ini").c_str()));
        RecordingFlashSite site;
        site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle);
        RECT rc = WindowRect(host);
        EXPECT_EQ(rc.right - rc.left, c.width);
        EXPECT_EQ(rc.bottom - rc.top, c.height);
        EXPECT_EQ(rc.left, -10000);
    }
}

TEST_F(FlashHostFixture, EachFailingStepFailsAndDestructionReleasesWhatWasObtained)
{
    struct Case {
        const char* name;
        void (*configure)(fakes::FakeFlashConfig&);
        const char* lastCall;  // the last call the control saw during creation
        bool closed;           // the control was closed on destruction
        bool unadvised;
    };
    const Case cases[] = {
        { "no typed interface", [](fakes::FakeFlashConfig& c) { c.offerTypedInterface = false; }, "QI IShockwaveFlash", false, false },
        { "no view object", [](fakes::FakeFlashConfig& c) { c.offerViewObjectEx = c.offerViewObject = false; }, "QI IViewObject", true, false },
        { "no events", [](fakes::FakeFlashConfig& c) { c.offerConnectionPoints = false; }, "QI IConnectionPointContainer", true, false },
        { "advise fails", [](fakes::FakeFlashConfig& c) { c.adviseResult = E_FAIL; }, "Advise", true, false },
        { "SetClientSite fails", [](fakes::FakeFlashConfig& c) { c.setClientSiteResult = E_FAIL; }, "SetClientSite", true, true },
        { "DoVerb fails", [](fakes::FakeFlashConfig& c) { c.doVerbResult = E_FAIL; }, "DoVerb(-1)", true, true },
        { "LoadMovie fails", [](fakes::FakeFlashConfig& c) { c.loadMovieResult = E_FAIL; }, nullptr, true, true },
        { "Play fails", [](fakes::FakeFlashConfig& c) { c.playResult = E_FAIL; }, "Play", true, true },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::ResetFakeFlash();
        c.configure(State().config);
        {
            RecordingFlashSite site;
            EXPECT_FALSE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
            if (c.lastCall)
                EXPECT_EQ(State().calls.back(), c.lastCall);
            else
                EXPECT_EQ(State().calls.back().rfind("LoadMovie", 0), 0u);
            State().calls.clear();
        }
        EXPECT_EQ(CountCalls("Close(1)"), c.closed ? 1 : 0);
        EXPECT_EQ(CountCalls("Unadvise(77)"), c.unadvised ? 1 : 0);
        EXPECT_TRUE(State().destroyed) << "every reference was given back";
        if (c.closed && c.unadvised) {
            EXPECT_TRUE(CallsInOrder({ "Unadvise(77)", "Close(1)", "destroyed" }));
        }
    }
}

TEST_F(FlashHostFixture, FailingPropertiesArePassedOver)
{
    State().config.putResult = E_FAIL;
    RecordingFlashSite site;
    EXPECT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
    EXPECT_TRUE(CallsInOrder({ "put WMode=transparent", "put Scale=showAll", "put BackgroundColor=0", "put EmbedMovie=0",
                               "put EmbedMovie=1", "Play" }));
}

TEST_F(FlashHostFixture, WithoutWindowlessInterfaceFallsBackToPlainDrawing)
{
    State().config.offerWindowless = false;
    RecordingFlashSite site;
    EXPECT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
    EXPECT_FALSE(site.m_bLayered);
    EXPECT_TRUE(site.m_pInPlaceObject);
    EXPECT_FALSE(site.m_pInPlaceObjectWindowless);
    EXPECT_EQ(CountCalls("put WMode=transparent"), 0);  // no transparent mode without layering
    // The window keeps the layered style it was given.
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongA(host, GWL_EXSTYLE)), static_cast<DWORD>(WS_EX_LAYERED));
    // Plain drawing goes to the DC with the content aspect.
    site.DrawControl(nullptr, nullptr, FALSE);
    EXPECT_EQ(State().calls.back(), "Draw(1)");
    // Input is not forwarded by the host window procedure without the windowless interface.
    State().calls.clear();
    site.HostWindowProc(host, WM_KEYDOWN, 'A', 0);
    EXPECT_EQ(CountCalls("OnWindowMessage(0x100)"), 0);
}

TEST_F(FlashHostFixture, NoControlClassLeavesWindowOffScreen)
{
    RecordingFlashSite site;
    // Created with another class that nothing answers.
    const CLSID unknown = { 0x12345678, 0x1111, 0x2222, { 1, 2, 3, 4, 5, 6, 7, 8 } };
    EXPECT_FALSE(site.CreateControl(host, unknown, WS_EX_LAYERED, kLauncherStyle));
    RECT rc = WindowRect(host);
    EXPECT_EQ(rc.left, -10000);
    EXPECT_EQ(site.m_pOleObject, nullptr);
    site.DrawControl(nullptr, nullptr, FALSE);  // nothing to draw, no crash
}

TEST_F(FlashHostFixture, LayeredFrameCarriesThePatternWithItsAlpha)
{
    RecordingFlashSite site;
    ASSERT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
    ASSERT_TRUE(site.m_pBitsBlack);
    const int w = 400, h = 300;
    for (int y : { 0, 10, 149, 150, 299 }) {
        for (int x : { 0, 50, 99, 100, 150, 199, 200, 250, 299, 300, 399 }) {
            fakes::PatternPixel want = fakes::ExpectedPatternPixel(x, y, w, h);
            const BYTE* px = site.m_pBitsBlack + (static_cast<size_t>(y) * w + x) * 4;
            EXPECT_EQ(px[0], want.blue) << x << "," << y;
            EXPECT_EQ(px[1], want.green) << x << "," << y;
            EXPECT_EQ(px[2], want.red) << x << "," << y;
            EXPECT_EQ(px[3], want.alpha) << x << "," << y;
        }
    }
}

TEST_F(FlashHostFixture, BuffersAreRenewedOnlyWhenTheWindowRectChanges)
{
    RecordingFlashSite site;
    ASSERT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
    RECT first = site.m_rcBuffers;
    RECT expected = WindowRect(host);
    EXPECT_TRUE(::EqualRect(&first, &expected));
    HBITMAP bitmap = site.m_hbmBlack;

    // Poison the alpha channel: a frame drawn into the same buffers writes it again.
    site.m_pBitsBlack[3] = 7;
    EXPECT_EQ(fakes::RequestRedraw(), S_OK);
    EXPECT_EQ(site.m_hbmBlack, bitmap);
    EXPECT_EQ(site.m_pBitsBlack[3], 255);

    // One pixel to the right: same size, new rectangle, new buffers.
    ::SetWindowPos(host, nullptr, -9999, -10000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(fakes::RequestRedraw(), S_OK);
    RECT moved = WindowRect(host);
    EXPECT_TRUE(::EqualRect(&site.m_rcBuffers, &moved));
    EXPECT_FALSE(::EqualRect(&site.m_rcBuffers, &first));
}

TEST_F(FlashHostFixture, ZeroSizedAndHugeWindowsDrawNothingAndDoNotCrash)
{
    struct Case { int w, h; };
    for (Case c : { Case{ 0, 300 }, Case{ 400, 0 }, Case{ 100000, 100000 } }) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        fakes::ResetFakeFlash();
        g_nWindowWidth = c.w;
        g_nWindowHeight = c.h;
        RecordingFlashSite site;
        ASSERT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
        EXPECT_EQ(CountCalls("Draw(32)"), 0) << "no pixel is drawn or processed";
        EXPECT_EQ(fakes::RequestRedraw(), S_OK);
        EXPECT_EQ(site.m_pBitsBlack, nullptr);
    }
}

TEST_F(FlashHostFixture, LayeredWindowShowsThePatternOnScreen)
{
    RecordingFlashSite site;
    ASSERT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
    ::SetWindowPos(host, HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ASSERT_EQ(fakes::RequestRedraw(), S_OK);
    Pump(300);
    HDC screen = ::GetDC(nullptr);
    // Opaque pixels show their colour; the half-covered band shows its premultiplied grey over
    // the black desktop; empty pixels show the desktop.
    COLORREF red = ::GetPixel(screen, 100 + 20, 100 + 20);
    COLORREF half = ::GetPixel(screen, 100 + 150, 100 + 20);
    COLORREF green = ::GetPixel(screen, 100 + 250, 100 + 20);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(red, RGB(255, 0, 0));
    EXPECT_EQ(green, RGB(30, 200, 10));
    EXPECT_NEAR(GetRValue(half), 128, 2);
}

TEST_F(FlashHostFixture, EventsReachTheCallbacksWithTheirStrings)
{
    RecordingFlashSite site;
    ASSERT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));

    EXPECT_EQ(fakes::FireFSCommand(L"weburl", L"http://example.com/a"), S_OK);
    EXPECT_EQ(fakes::FireFSCommand(L"close", L""), S_OK);
    EXPECT_EQ(fakes::FireFSCommand(nullptr, nullptr), S_OK);
    EXPECT_EQ(fakes::FireFSCommand(L"中文", L"参数"), S_OK);
    BSTR withNul = ::SysAllocStringLen(L"ab\0cd", 5);
    VARIANT cmd, args;
    cmd.vt = VT_BSTR;
    cmd.bstrVal = withNul;
    args.vt = VT_BSTR;
    args.bstrVal = withNul;
    EXPECT_EQ(fakes::FireEvent(150, { cmd, args }), S_OK);
    ::SysFreeString(withNul);

    ASSERT_EQ(site.commands.size(), 5u);
    EXPECT_EQ(site.commands[0].command, "weburl");  // the command comes from the second slot
    EXPECT_EQ(site.commands[0].args, "http://example.com/a");
    EXPECT_FALSE(site.commands[1].argsNull);  // empty, not null
    EXPECT_EQ(site.commands[1].args, "");
    EXPECT_TRUE(site.commands[2].commandNull);
    EXPECT_TRUE(site.commands[2].argsNull);
    EXPECT_EQ(site.commands[3].command, "\xD6\xD0\xCE\xC4");  // GBK
    EXPECT_EQ(site.commands[3].args, "\xB2\xCE\xCA\xFD");
    EXPECT_EQ(site.commands[4].command, "ab");  // cut at the NUL
    EXPECT_EQ(site.commands[4].args, "ab");
}

TEST_F(FlashHostFixture, OtherEventsAndMalformedOnesAreIgnored)
{
    RecordingFlashSite site;
    ASSERT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
    VARIANT text, number;
    text.vt = VT_BSTR;
    text.bstrVal = ::SysAllocString(L"request");
    number.vt = VT_I4;
    number.lVal = 4;

    EXPECT_EQ(fakes::FireEvent(197, { text }), S_OK);           // FlashCall
    EXPECT_EQ(fakes::FireEvent(-609, { number }), S_OK);        // ready-state change
    EXPECT_EQ(fakes::FireEvent(1958, { number }), S_OK);        // progress
    EXPECT_EQ(fakes::FireEvent(150, { text }), S_OK);           // FSCommand with one argument
    EXPECT_EQ(fakes::FireEvent(150, { text, text, text }), S_OK);
    EXPECT_EQ(fakes::FireEvent(150, { number, text }), S_OK);   // not a string
    EXPECT_EQ(fakes::FireEvent(150, {}), S_OK);
    EXPECT_EQ(fakes::FireEvent(197, {}), S_OK);
    EXPECT_EQ(fakes::FireEvent(197, { number }), S_OK);
    ::SysFreeString(text.bstrVal);

    EXPECT_TRUE(site.commands.empty());
    ASSERT_EQ(site.flashCalls.size(), 1u);
    EXPECT_EQ(site.flashCalls[0], "request");
    // The sink answers Invoke for anything, even without parameters.
    _IShockwaveFlashEvents* sink = &site;
    EXPECT_EQ(sink->Invoke(150, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
}

TEST_F(FlashHostFixture, DefaultCommandHandlerShowsArgsInMessageBox)
{
    CFlashDlgBase site;  // not overridden
    ASSERT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
    std::wstring shown;
    std::thread user([&] {
        HWND box = WaitForMessageBox(::GetCurrentProcessId(), nullptr);
        if (box) {
            shown = MessageBoxText(box);
            ClickDialogButton(box, IDOK);
        }
    });
    EXPECT_EQ(fakes::FireFSCommand(L"anything", L"参数 shown"), S_OK);
    user.join();
    EXPECT_EQ(shown, L"参数 shown");
}

TEST(MoviePath, BuiltFromTheProgramsFolder)
{
    struct Case { const char* exe; const char* movie; };
    const Case cases[] = {
        { "C:\\Games\\Tavik\\TavikGame.exe", "C:\\Games\\Tavik\\login.swf" },
        { "C:\\TavikGame.exe", "C:\\\\login.swf" },  // the root keeps its backslash: two in a row
        { "\\\\server\\share\\TavikGame.exe", "\\\\server\\share\\login.swf" },
    };
    for (const Case& c : cases) {
        char buffer[MAX_PATH];
        ASSERT_TRUE(BuildMoviePath(c.exe, buffer)) << c.exe;
        EXPECT_STREQ(buffer, c.movie);
    }
}

TEST(MoviePath, TooLongForTheBufferFails)
{
    char buffer[MAX_PATH];
    // Folder of 249 bytes + "\login.swf" (10) + terminator = 260: fits exactly.
    std::string folder = "C:\\" + std::string(246, 'a');
    ASSERT_EQ(folder.size(), 249u);
    ASSERT_TRUE(BuildMoviePath((folder + "\\x.exe").c_str(), buffer));
    EXPECT_EQ(std::string(buffer), folder + "\\login.swf");
    folder += 'b';
    EXPECT_FALSE(BuildMoviePath((folder + "\\x.exe").c_str(), buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(BuildMoviePath(nullptr, buffer));
    EXPECT_FALSE(BuildMoviePath(std::string(400, 'x').c_str(), buffer));
}

TEST_F(FlashHostFixture, HostWindowProcHandlesItsMessages)
{
    RecordingFlashSite site;
    ASSERT_TRUE(site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, kLauncherStyle));
    State().calls.clear();

    CREATESTRUCTA create = {};
    create.lpCreateParams = reinterpret_cast<LPVOID>(0x5678);
    EXPECT_EQ(site.HostWindowProc(host, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)), 0);
    EXPECT_EQ(::GetWindowLongPtrA(host, GWLP_USERDATA), 0x5678);

    EXPECT_EQ(site.HostWindowProc(host, WM_SIZE, SIZE_RESTORED, 0), 0);
    EXPECT_TRUE(CallsInOrder({ "DoVerb(-1)", "SetObjectRects(0,0,400,300)" }));

    // A failing DoVerb ends the size handling before the rectangles.
    State().calls.clear();
    State().config.doVerbResult = E_FAIL;
    EXPECT_EQ(site.HostWindowProc(host, WM_SIZE, SIZE_RESTORED, 0), 0);
    EXPECT_EQ(CountCalls("SetObjectRects(0,0,400,300)"), 0);
    State().config.doVerbResult = S_OK;

    // The host's forwarding list has no WM_SYSKEYDOWN (the main window's has).
    State().calls.clear();
    for (UINT m : { WM_KEYDOWN, WM_SYSKEYDOWN, WM_MOUSEWHEEL, WM_SETCURSOR })
        site.HostWindowProc(host, m, 0, 0);
    EXPECT_EQ(CountCalls("OnWindowMessage(0x100)"), 1);
    EXPECT_EQ(CountCalls("OnWindowMessage(0x104)"), 0);
    EXPECT_EQ(CountCalls("OnWindowMessage(0x20A)"), 1);
    EXPECT_EQ(CountCalls("OnWindowMessage(0x20)"), 1);

    // A consumed message answers the control's result.
    State().config.onWindowMessageResult = S_OK;
    State().config.onWindowMessageLResult = 42;
    EXPECT_EQ(site.HostWindowProc(host, WM_CHAR, 'a', 0), 42);

    // The drag: offset taken at the press, the window follows the cursor, the release ends it.
    ::SetCursorPos(300, 300);
    RECT start;
    ::GetWindowRect(host, &start);
    site.HostWindowProc(host, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(g_bHostDragging, 1);
    EXPECT_EQ(g_ptHostDragOffset.x, 300 - start.left);
    ::SetCursorPos(310, 320);
    site.HostWindowProc(host, WM_MOUSEMOVE, MK_LBUTTON, 0);
    RECT moved;
    ::GetWindowRect(host, &moved);
    EXPECT_EQ(moved.left, start.left + 10);
    EXPECT_EQ(moved.top, start.top + 20);
    site.HostWindowProc(host, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(g_bHostDragging, 0);
}
