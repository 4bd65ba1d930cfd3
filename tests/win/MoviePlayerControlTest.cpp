// The stand-in movie control under Wine: hosted by the launcher's real Flash site (layered, with
// alpha), its frame timer with StopPlay and Play, a click on a movie button raising FSCommand
// through the site's event connection, automation errors, drawing into other kinds of DC, and
// its self-registration.
#include <gtest/gtest.h>

#include <olectl.h>

#include <memory>
#include <string>

#include "app/LauncherSettings.h"
#include "flashhost/FlashDlgBase.h"
#include "support/TestSupport.h"
#include "tools/moviemaker/Description.h"
#include "tools/moviemaker/SwfWriter.h"

using namespace testing_support;
using namespace moviemaker;

namespace {

// The control's DLL, loaded into this process and its class registered here only, so nothing is
// left in the prefix for other tests to find.
class InProcessServer {
public:
    InProcessServer()
    {
        m_dll = ::LoadLibraryW((BinDir() + L"MoviePlayer.dll").c_str());
        if (!m_dll)
            return;
        using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
        auto get = reinterpret_cast<GetClassObjectFn>(::GetProcAddress(m_dll, "DllGetClassObject"));
        if (get && SUCCEEDED(get(CLSID_ShockwaveFlash, IID_IClassFactory, reinterpret_cast<void**>(&m_factory))))
            ::CoRegisterClassObject(CLSID_ShockwaveFlash, m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                    &m_cookie);
    }
    ~InProcessServer()
    {
        if (m_cookie)
            ::CoRevokeClassObject(m_cookie);
        if (m_factory)
            m_factory->Release();
        // The module stays loaded: objects of a failed test may still be alive.
    }
    bool Ready() const { return m_cookie != 0; }
    HMODULE Module() const { return m_dll; }

private:
    HMODULE m_dll = nullptr;
    IClassFactory* m_factory = nullptr;
    DWORD m_cookie = 0;
};

// Stage 200x150 at 20 frames a second, three frames looping: an opaque red left half, a
// half-transparent white band at the top right, and a green button at (120,60)-(180,110) whose
// release raises FSCommand "clicked" with "button".
std::string LoginMovie()
{
    const char* description = R"(movie 200 150 20 compressed
shape 1
  solid #FF0000
  rect 0 0 100 150 fill 1
end
shape 2
  solid #FFFFFF80
  rect 100 0 100 40 fill 1
end
shape 4
  solid #00FF00
  rect 0 0 60 50 fill 1
end
button 3
  state up,over,down,hit 4
  on release fscommand clicked button
end
place 1 1
place 2 2
place 3 3 at 120 60
frame
frame
frame
)";
    Bytes movie;
    std::string error;
    EXPECT_TRUE(BuildMovie(description, nullptr, movie, error)) << error;
    return std::string(movie.begin(), movie.end());
}

// The launcher's site, counting the frames it is asked to draw and keeping the commands.
class CountingSite : public CFlashDlgBase {
public:
    int draws = 0;
    std::vector<std::pair<std::string, std::string>> commands;
    void DrawControl(HDC hDC, LPCRECT rc, BOOL erase) override
    {
        ++draws;
        CFlashDlgBase::DrawControl(hDC, rc, erase);
    }
    HRESULT OnFSCommand(CEventString command, CEventString args) override
    {
        commands.emplace_back(command.IsNull() ? "" : command.Narrow(), args.IsNull() ? "" : args.Narrow());
        return S_OK;
    }
};

HRESULT GetProperty(IDispatch* disp, const wchar_t* name, VARIANT* out)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = { const_cast<LPOLESTR>(name) };
    HRESULT hr = disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS none = { nullptr, nullptr, 0, 0 };
    ::VariantInit(out);
    return disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, out, nullptr, nullptr);
}

long IntProperty(IDispatch* disp, const wchar_t* name)
{
    VARIANT v;
    if (FAILED(GetProperty(disp, name, &v)) || (v.vt != VT_I4 && v.vt != VT_BOOL))
        return -12345;
    return v.vt == VT_BOOL ? (v.boolVal ? 1 : 0) : v.lVal;
}

struct Bgra {
    BYTE b, g, r, a;
};

Bgra Pixel(const CFlashDlgBase& site, int x, int y, int width)
{
    const BYTE* p = static_cast<const BYTE*>(site.m_pBitsBlack) + (static_cast<size_t>(y) * width + x) * 4;
    return Bgra{ p[0], p[1], p[2], p[3] };
}

struct MovieControlTest : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(server.Ready()) << "MoviePlayer.dll did not load";
        g_nWindowWidth = 400;
        g_nWindowHeight = 300;
        host = ::CreateWindowExW(0, L"STATIC", L"host", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_TRUE(host);
    }
    void TearDown() override
    {
        if (::IsWindow(host))
            ::DestroyWindow(host);
    }
    InProcessServer server;
    HWND host = nullptr;
};

}  // namespace

TEST_F(MovieControlTest, HostedByTheLauncherSitePlaysStopsAndClicks)
{
    // The site loads login.swf from the program's folder, as the launcher does.
    const std::wstring moviePath = BinDir() + L"login.swf";
    ASSERT_TRUE(WriteBytes(moviePath, LoginMovie()));
    struct RemoveAfter {
        std::wstring path;
        ~RemoveAfter() { ::DeleteFileW(path.c_str()); }
    } removeAfter{ moviePath };

    auto site = std::make_unique<CountingSite>();
    ASSERT_TRUE(site->CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX));
    ASSERT_TRUE(site->m_bLayered);
    ASSERT_TRUE(site->m_pInPlaceObjectWindowless);
    ASSERT_GT(site->draws, 0);  // the loaded movie announced its first frame

    // Stage 200x150 shown in 400x300: twice the size, pixels and alpha as the movie has them.
    struct Probe { int x, y; Bgra expect; };
    const Probe probes[] = {
        { 100, 150, { 0, 0, 255, 255 } },    // opaque red
        { 300, 40, { 128, 128, 128, 128 } },  // half-transparent white, premultiplied
        { 300, 170, { 0, 255, 0, 255 } },     // the button
        { 390, 290, { 0, 0, 0, 0 } },         // nothing there: fully transparent
    };
    for (const Probe& p : probes) {
        Bgra px = Pixel(*site, p.x, p.y, 400);
        EXPECT_NEAR(px.b, p.expect.b, 3) << p.x << "," << p.y;
        EXPECT_NEAR(px.g, p.expect.g, 3) << p.x << "," << p.y;
        EXPECT_NEAR(px.r, p.expect.r, 3) << p.x << "," << p.y;
        EXPECT_NEAR(px.a, p.expect.a, 3) << p.x << "," << p.y;
    }

    // Its own timer moves the frames on and each new frame is drawn through the site.
    IDispatch* flash = site->m_pControl;
    int drawsBefore = site->draws;
    ASSERT_TRUE(WaitFor([&] { return site->draws >= drawsBefore + 3; }, 5000));
    EXPECT_EQ(IntProperty(flash, L"Playing"), 1);

    ASSERT_EQ(FlashStopPlay(site->m_pControl), S_OK);
    EXPECT_EQ(IntProperty(flash, L"Playing"), 0);
    Pump(150);
    long frame = IntProperty(flash, L"CurrentFrame");
    int drawsStopped = site->draws;
    Pump(400);
    EXPECT_EQ(IntProperty(flash, L"CurrentFrame"), frame);
    EXPECT_EQ(site->draws, drawsStopped);

    ASSERT_EQ(FlashPlay(site->m_pControl), S_OK);
    EXPECT_TRUE(WaitFor([&] { return site->draws >= drawsStopped + 2; }, 5000));

    // A click on the button, through the host's message handling: the movie takes the
    // messages and its command reaches the site's FSCommand callback.
    const LPARAM onButton = MAKELPARAM(300, 170);
    site->HostWindowProc(host, WM_MOUSEMOVE, 0, onButton);
    site->HostWindowProc(host, WM_LBUTTONDOWN, MK_LBUTTON, onButton);
    EXPECT_TRUE(site->commands.empty());
    site->HostWindowProc(host, WM_LBUTTONUP, 0, onButton);
    ASSERT_EQ(site->commands.size(), 1u);
    EXPECT_EQ(site->commands[0].first, "clicked");
    EXPECT_EQ(site->commands[0].second, "button");

    // Elsewhere the movie does not take the click.
    LRESULT lr = 0;
    EXPECT_EQ(site->m_pInPlaceObjectWindowless->OnWindowMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20), &lr),
              S_FALSE);
    site->m_pInPlaceObjectWindowless->OnWindowMessage(WM_LBUTTONUP, 0, MAKELPARAM(20, 20), &lr);
    EXPECT_EQ(site->commands.size(), 1u);
    ::ReleaseCapture();
    site.reset();
}

// A site whose command handler runs a modal loop for a while, as a message box would.
class PumpingSite : public CountingSite {
public:
    long framesBefore = -1, framesAfter = -1;
    HRESULT OnFSCommand(CEventString command, CEventString args) override
    {
        CountingSite::OnFSCommand(command, args);
        framesBefore = IntProperty(m_pControl, L"CurrentFrame");
        Pump(400);  // eight frame times at 20 frames a second
        framesAfter = IntProperty(m_pControl, L"CurrentFrame");
        return S_OK;
    }
};

TEST_F(MovieControlTest, ModalLoopInACommandDoesNotStepTheMovie)
{
    const std::wstring moviePath = BinDir() + L"login.swf";
    ASSERT_TRUE(WriteBytes(moviePath, LoginMovie()));
    struct RemoveAfter {
        std::wstring path;
        ~RemoveAfter() { ::DeleteFileW(path.c_str()); }
    } removeAfter{ moviePath };
    auto site = std::make_unique<PumpingSite>();
    ASSERT_TRUE(site->CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX));
    const LPARAM onButton = MAKELPARAM(300, 170);
    site->HostWindowProc(host, WM_MOUSEMOVE, 0, onButton);
    site->HostWindowProc(host, WM_LBUTTONDOWN, MK_LBUTTON, onButton);
    site->HostWindowProc(host, WM_LBUTTONUP, 0, onButton);
    ::ReleaseCapture();
    ASSERT_EQ(site->commands.size(), 1u);
    EXPECT_EQ(site->framesAfter, site->framesBefore);
    // Once the handler has returned, the movie plays on.
    int draws = site->draws;
    EXPECT_TRUE(WaitFor([&] { return site->draws > draws + 1; }, 5000));
}

TEST_F(MovieControlTest, AutomationAnswersErrorsForWhatItCannotDo)
{
    IDispatch* disp = nullptr;
    ASSERT_EQ(::CoCreateInstance(CLSID_ShockwaveFlash, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                 reinterpret_cast<void**>(&disp)), S_OK);
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir.File(L"garbage.swf"), "FWS\x08garbage, not a movie"));
    ASSERT_TRUE(WriteBytes(dir.File(L"good movie.swf"), LoginMovie()));
    const std::wstring goodUrl = L"file:///" + dir.File(L"good%20movie.swf");

    EXPECT_NE(FlashPlay(reinterpret_cast<IShockwaveFlash*>(disp)), S_OK);  // nothing to play yet
    struct Case { const wchar_t* what; int layer; std::wstring url; bool ok; };
    const Case cases[] = {
        { L"missing file", 0, dir.File(L"missing.swf"), false },
        { L"not a movie", 0, dir.File(L"garbage.swf"), false },
        { L"empty path", 0, L"", false },
        { L"another layer", 1, dir.File(L"good movie.swf"), false },
        { L"file URL with an escape", 0, goodUrl, true },
        { L"plain path", 0, dir.File(L"good movie.swf"), true },
    };
    for (const Case& c : cases) {
        HRESULT hr = FlashLoadMovie(reinterpret_cast<IShockwaveFlash*>(disp), c.layer, c.url.c_str());
        EXPECT_EQ(SUCCEEDED(hr), c.ok) << WideToUtf8(c.what) << " 0x" << std::hex << hr;
    }
    EXPECT_EQ(IntProperty(disp, L"TotalFrames"), 3);
    EXPECT_EQ(FlashPlay(reinterpret_cast<IShockwaveFlash*>(disp)), S_OK);
    EXPECT_EQ(FlashPutWMode(reinterpret_cast<IShockwaveFlash*>(disp), L"transparent"), S_OK);
    EXPECT_EQ(FlashPutScale(reinterpret_cast<IShockwaveFlash*>(disp), L"showAll"), S_OK);
    EXPECT_EQ(FlashPutBackgroundColor(reinterpret_cast<IShockwaveFlash*>(disp), 0), S_OK);
    EXPECT_EQ(FlashPutEmbedMovie(reinterpret_cast<IShockwaveFlash*>(disp), true), S_OK);

    DISPID id = 0;
    LPOLESTR unknown[] = { const_cast<LPOLESTR>(L"NoSuchMember") };
    EXPECT_EQ(disp->GetIDsOfNames(IID_NULL, unknown, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
    LPOLESTR load[] = { const_cast<LPOLESTR>(L"loadmovie") };  // names in any case
    ASSERT_EQ(disp->GetIDsOfNames(IID_NULL, load, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    DISPPARAMS none = { nullptr, nullptr, 0, 0 };
    EXPECT_EQ(disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);

    IConnectionPointContainer* cpc = nullptr;
    ASSERT_EQ(disp->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)), S_OK);
    IConnectionPoint* cp = nullptr;
    EXPECT_EQ(cpc->FindConnectionPoint(IID_IDispatch, &cp), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(cp, nullptr);
    ASSERT_EQ(cpc->FindConnectionPoint(DIID__IShockwaveFlashEvents, &cp), S_OK);
    DWORD cookie = 0;
    EXPECT_EQ(cp->Advise(nullptr, &cookie), E_POINTER);
    EXPECT_EQ(cp->Unadvise(1234), CONNECT_E_NOCONNECTION);
    cp->Release();
    cpc->Release();
    disp->Release();
}

TEST_F(MovieControlTest, DrawsIntoEveryKindOfDc)
{
    IViewObject* view = nullptr;
    ASSERT_EQ(::CoCreateInstance(CLSID_ShockwaveFlash, nullptr, CLSCTX_INPROC_SERVER, IID_IViewObject,
                                 reinterpret_cast<void**>(&view)), S_OK);
    TempDir dir;
    ASSERT_TRUE(WriteBytes(dir.File(L"m.swf"), LoginMovie()));
    IDispatch* disp = nullptr;
    ASSERT_EQ(view->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp)), S_OK);
    ASSERT_EQ(FlashLoadMovie(reinterpret_cast<IShockwaveFlash*>(disp), 0, dir.File(L"m.swf").c_str()), S_OK);
    ASSERT_EQ(FlashPutBackgroundColor(reinterpret_cast<IShockwaveFlash*>(disp), 0x0000FF), S_OK);

    HDC screen = ::GetDC(nullptr);
    struct Case { const char* what; int bottomUp; bool dib; DWORD aspect; };
    const Case cases[] = {
        { "top-down DIB, transparent", -1, true, DVASPECT_TRANSPARENT },
        { "bottom-up DIB, transparent", 1, true, DVASPECT_TRANSPARENT },
        { "device bitmap, transparent", 0, false, DVASPECT_TRANSPARENT },
        { "top-down DIB, content with background", -1, true, DVASPECT_CONTENT },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HDC mem = ::CreateCompatibleDC(screen);
        HBITMAP bmp;
        if (c.dib) {
            BITMAPINFO bi = {};
            bi.bmiHeader = { sizeof bi.bmiHeader, 200, c.bottomUp * 150, 1, 32, BI_RGB };
            void* bits = nullptr;
            bmp = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        } else {
            bmp = ::CreateCompatibleBitmap(screen, 200, 150);
        }
        HGDIOBJ old = ::SelectObject(mem, bmp);
        RECT all = { 0, 0, 200, 150 };
        HBRUSH yellow = ::CreateSolidBrush(RGB(255, 255, 0));
        ::FillRect(mem, &all, yellow);
        ::DeleteObject(yellow);
        RECTL bounds = { 0, 0, 200, 150 };
        ASSERT_EQ(view->Draw(c.aspect, -1, nullptr, nullptr, nullptr, mem, &bounds, nullptr, nullptr, 0), S_OK);
        EXPECT_EQ(::GetPixel(mem, 50, 20), RGB(255, 0, 0));       // top of the red half, not flipped
        EXPECT_EQ(::GetPixel(mem, 50, 140), RGB(255, 0, 0));
        EXPECT_EQ(::GetPixel(mem, 150, 120), c.aspect == DVASPECT_CONTENT ? RGB(0, 0, 255) : RGB(255, 255, 0));
        ::SelectObject(mem, old);
        ::DeleteObject(bmp);
        ::DeleteDC(mem);
    }
    ::ReleaseDC(nullptr, screen);
    RECTL bounds = { 0, 0, 10, 10 };
    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, nullptr, &bounds, nullptr, nullptr, 0),
              DV_E_DVASPECT);
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr, &bounds, nullptr, nullptr, 0),
              E_INVALIDARG);
    disp->Release();
    view->Release();
}

TEST_F(MovieControlTest, RegistersAndUnregistersItself)
{
    const wchar_t key[] = L"CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}\\InprocServer32";
    wchar_t value[1024] = {};
    LONG size = sizeof value;
    if (::RegQueryValueW(HKEY_CLASSES_ROOT, key, value, &size) == ERROR_SUCCESS)
        GTEST_SKIP() << "another server is registered under the class";
    using RegFn = HRESULT(STDAPICALLTYPE*)();
    auto reg = reinterpret_cast<RegFn>(::GetProcAddress(server.Module(), "DllRegisterServer"));
    auto unreg = reinterpret_cast<RegFn>(::GetProcAddress(server.Module(), "DllUnregisterServer"));
    ASSERT_TRUE(reg && unreg);
    ASSERT_EQ(reg(), S_OK);
    size = sizeof value;
    EXPECT_EQ(::RegQueryValueW(HKEY_CLASSES_ROOT, key, value, &size), ERROR_SUCCESS);
    EXPECT_EQ(::lstrcmpiW(value, (BinDir() + L"MoviePlayer.dll").c_str()), 0) << WideToUtf8(value);
    EXPECT_EQ(unreg(), S_OK);
    size = sizeof value;
    EXPECT_NE(::RegQueryValueW(HKEY_CLASSES_ROOT, key, value, &size), ERROR_SUCCESS);
    EXPECT_EQ(unreg(), S_FALSE);  // nothing of ours left to remove
}
