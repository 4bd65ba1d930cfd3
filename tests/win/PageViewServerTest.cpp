// The page view DLL as a COM server: self-registration (into a scratch registry root), its class
// object and unloading, its automation members, and loading pages over HTTP from a loopback server.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <exdispid.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "PageViewHost.h"
#include "support/TestSupport.h"

using namespace pageview_test;

namespace {

// {8856F961-340A-11D0-A96B-00C04FD705A2}
const CLSID kWebBrowserClass = { 0x8856F961, 0x340A, 0x11D0, { 0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2 } };
const wchar_t kServerKey[] = L"CLSID\\{8856F961-340A-11D0-A96B-00C04FD705A2}\\InprocServer32";

using DllFunction = HRESULT(WINAPI*)();

DllFunction Export(const char* name)
{
    return reinterpret_cast<DllFunction>(::GetProcAddress(PageViewServer::Module(), name));
}

std::wstring ModulePath()
{
    wchar_t path[MAX_PATH] = L"";
    ::GetModuleFileNameW(PageViewServer::Module(), path, MAX_PATH);
    return path;
}

// HKEY_CLASSES_ROOT of this process points at a scratch key while the object lives.
class ScratchClassesRoot {
public:
    ScratchClassesRoot()
    {
        m_path = L"Software\\TavikTests\\PageViewClasses" + std::to_wstring(::GetCurrentProcessId());
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_root, nullptr) ==
            ERROR_SUCCESS)
            m_overridden = ::RegOverridePredefKey(HKEY_CLASSES_ROOT, m_root) == ERROR_SUCCESS;
    }
    ~ScratchClassesRoot()
    {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        if (m_root)
            ::RegCloseKey(m_root);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    bool Ready() const { return m_overridden; }

    // A value of the server key, or "<missing>".
    std::wstring Value(const wchar_t* name) const
    {
        wchar_t data[1024] = L"";
        DWORD size = sizeof(data);
        if (::RegGetValueW(m_root, kServerKey, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
            return L"<missing>";
        return data;
    }
    void Set(const wchar_t* name, const std::wstring& value)
    {
        ::RegSetKeyValueW(m_root, kServerKey, name, REG_SZ, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

private:
    std::wstring m_path;
    HKEY m_root = nullptr;
    bool m_overridden = false;
};

// A loopback HTTP server answering from a table of paths; it records the requests it gets.
class LoopbackServer {
public:
    struct Reply {
        std::string path;
        std::string response;
    };

    explicit LoopbackServer(std::vector<Reply> replies) : m_replies(std::move(replies))
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
        m_listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        int length = sizeof(address);
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        ::listen(m_listener, 8);
        m_thread = std::thread([this] { Serve(); });
    }
    ~LoopbackServer()
    {
        m_stop = true;
        ::closesocket(m_listener);
        m_thread.join();
        ::WSACleanup();
    }
    int Port() const { return m_port; }
    std::vector<std::string> Requests()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_requests;
    }

private:
    void Serve()
    {
        while (!m_stop) {
            SOCKET client = ::accept(m_listener, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                return;
            std::string request;
            char buffer[4096];
            while (request.find("\r\n\r\n") == std::string::npos) {
                int n = ::recv(client, buffer, sizeof(buffer), 0);
                if (n <= 0)
                    break;
                request.append(buffer, static_cast<size_t>(n));
            }
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests.push_back(request);
            }
            std::string response = "HTTP/1.0 404 Not Found\r\n\r\nnot here";
            for (const Reply& reply : m_replies)
                if (request.rfind("GET " + reply.path + " ", 0) == 0)
                    response = reply.response;
            ::send(client, response.data(), static_cast<int>(response.size()), 0);
            ::shutdown(client, SD_SEND);
            ::closesocket(client);
        }
    }

    std::vector<Reply> m_replies;
    SOCKET m_listener = INVALID_SOCKET;
    int m_port = 0;
    std::atomic<bool> m_stop{ false };
    std::mutex m_mutex;
    std::vector<std::string> m_requests;
    std::thread m_thread;
};

}  // namespace

TEST(PageViewServer, RegistersUnderTheWebBrowserClassAndGivesThePreviousServerBack)
{
    ASSERT_TRUE(PageViewServer::Module());
    DllFunction registerServer = Export("DllRegisterServer");
    DllFunction unregisterServer = Export("DllUnregisterServer");
    ASSERT_TRUE(registerServer && unregisterServer);
    ScratchClassesRoot root;
    ASSERT_TRUE(root.Ready());
    const std::wstring path = ModulePath();

    // Nothing registered before: registering and unregistering leave nothing behind.
    EXPECT_EQ(unregisterServer(), S_OK);
    ASSERT_EQ(registerServer(), S_OK);
    EXPECT_EQ(root.Value(nullptr), path);
    EXPECT_EQ(root.Value(L"ThreadingModel"), L"Apartment");
    EXPECT_EQ(unregisterServer(), S_OK);
    EXPECT_EQ(root.Value(nullptr), L"<missing>");

    // Another server registered before: it comes back, even after registering twice.
    root.Set(nullptr, L"C:\\windows\\system32\\ieframe.dll");
    root.Set(L"ThreadingModel", L"Both");
    ASSERT_EQ(registerServer(), S_OK);
    ASSERT_EQ(registerServer(), S_OK);
    EXPECT_EQ(root.Value(nullptr), path);
    EXPECT_EQ(root.Value(L"ThreadingModel"), L"Apartment");
    ASSERT_EQ(unregisterServer(), S_OK);
    EXPECT_EQ(root.Value(nullptr), L"C:\\windows\\system32\\ieframe.dll");
    EXPECT_EQ(root.Value(L"ThreadingModel"), L"Both");
    EXPECT_EQ(root.Value(L"PageViewPreviousServer"), L"<missing>");

    // A server registered after ours is not ours to remove.
    ASSERT_EQ(registerServer(), S_OK);
    root.Set(nullptr, L"C:\\other\\browser.dll");
    EXPECT_EQ(unregisterServer(), S_OK);
    EXPECT_EQ(root.Value(nullptr), L"C:\\other\\browser.dll");
}

TEST(PageViewServer, ClassObjectCreatesControlsAndTheDllStaysWhileTheyLive)
{
    ASSERT_TRUE(PageViewServer::Module());
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObject>(::GetProcAddress(PageViewServer::Module(), "DllGetClassObject"));
    DllFunction canUnload = Export("DllCanUnloadNow");
    ASSERT_TRUE(get && canUnload);

    IClassFactory* factory = nullptr;
    EXPECT_EQ(get(IID_IClassFactory, IID_IClassFactory, reinterpret_cast<void**>(&factory)), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    ASSERT_EQ(get(kWebBrowserClass, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(canUnload(), S_OK);

    IUnknown* outer = reinterpret_cast<IUnknown*>(factory);
    IUnknown* object = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, reinterpret_cast<void**>(&object)), CLASS_E_NOAGGREGATION);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object)), S_OK);
    EXPECT_EQ(canUnload(), S_FALSE);
    object->Release();
    EXPECT_EQ(canUnload(), S_OK);
    factory->LockServer(TRUE);
    EXPECT_EQ(canUnload(), S_FALSE);
    factory->LockServer(FALSE);
    EXPECT_EQ(canUnload(), S_OK);
    factory->Release();
}

TEST(PageViewServer, AutomationMembersCheckTheirCalls)
{
    PageViewServer server;
    ASSERT_TRUE(server.Registered());
    PageViewHost host;
    ASSERT_TRUE(host.Create({ 0, 0, 200, 150 }));
    IDispatch* control = host.Dispatch();

    struct Name { const wchar_t* name; DISPID id; };
    const Name names[] = { { L"Navigate", 104 }, { L"navigate2", 500 }, { L"REFRESH", -550 }, { L"Document", 203 } };
    for (const Name& n : names) {
        LPOLESTR name = const_cast<LPOLESTR>(n.name);
        DISPID id = 0;
        EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK) << n.name;
        EXPECT_EQ(id, n.id) << n.name;
    }
    LPOLESTR unknown = const_cast<LPOLESTR>(L"GoForward");
    DISPID id = 0;
    EXPECT_EQ(control->GetIDsOfNames(IID_NULL, &unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);

    std::vector<VARIANT> none;
    EXPECT_EQ(host.Invoke(271, DISPATCH_METHOD, none, nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(host.Invoke(104, DISPATCH_METHOD, none, nullptr), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(host.Invoke(203, DISPATCH_METHOD, none, nullptr), DISP_E_MEMBERNOTFOUND) << "Document is a property";
    std::vector<VARIANT> notAString(1);
    ::VariantInit(&notAString[0]);
    notAString[0].vt = VT_DISPATCH;
    notAString[0].pdispVal = control;
    EXPECT_EQ(host.Invoke(104, DISPATCH_METHOD, notAString, nullptr), DISP_E_TYPEMISMATCH);
    std::vector<VARIANT> nullUrl(1);
    ::VariantInit(&nullUrl[0]);
    nullUrl[0].vt = VT_BYREF | VT_VARIANT;
    nullUrl[0].pvarVal = nullptr;
    EXPECT_EQ(host.Invoke(500, DISPATCH_METHOD, nullUrl, nullptr), DISP_E_TYPEMISMATCH);
    testing_support::Pump(200);
    EXPECT_EQ(host.Events().Count(DISPID_NAVIGATECOMPLETE2), 0u) << "refused calls navigate nowhere";
}

TEST(PageViewServer, LoadsPagesAndPicturesOverHttp)
{
    PageViewServer server;
    ASSERT_TRUE(server.Registered());
    const std::string banner = testing_support::ReadBytes(DemoSiteDir() + L"banner.png");
    ASSERT_FALSE(banner.empty());
    LoopbackServer http({
        { "/old", "HTTP/1.0 302 Found\r\nLocation: /site/page.html?x=1\r\n\r\n" },
        { "/site/page.html?x=1", "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n"
                                 "<html><head><title>Over HTTP</title></head><body><img src=\"banner.png\"></body></html>" },
        { "/site/banner.png", "HTTP/1.0 200 OK\r\nContent-Type: image/png\r\n\r\n" + banner },
    });
    const std::wstring base = L"http://127.0.0.1:" + std::to_wstring(http.Port());

    PageViewHost host;
    ASSERT_TRUE(host.Create({ 0, 0, 400, 300 }));
    ASSERT_EQ(host.Navigate(base + L"/old"), S_OK);
    ASSERT_TRUE(host.WaitForDocuments(1));
    EXPECT_EQ(host.Events().Texts(DISPID_DOCUMENTCOMPLETE).back(), base + L"/site/page.html?x=1") << "after the redirect";
    EXPECT_EQ(testing_support::WindowTextW(host.Control()), L"Over HTTP");

    const std::vector<std::string> requests = http.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].rfind("GET /old HTTP/1.0\r\n", 0), 0u);
    EXPECT_NE(requests[0].find("\r\nHost: 127.0.0.1:" + std::to_string(http.Port()) + "\r\n"), std::string::npos);
    EXPECT_EQ(requests[1].rfind("GET /site/page.html?x=1 HTTP/1.0\r\n", 0), 0u);
    EXPECT_EQ(requests[2].rfind("GET /site/banner.png HTTP/1.0\r\n", 0), 0u);

    // The picture (decoded from PNG) is drawn at the page's top-left margin.
    EXPECT_EQ(host.PixelAt(8 + 20, 8 + 5), RGB(204, 126, 40));
    EXPECT_EQ(host.PixelAt(8 + 100, 8 + 30), RGB(255, 236, 180));

    // Nothing listening: the view's own page, and the events all the same.
    ASSERT_EQ(host.Navigate(L"http://127.0.0.1:1/nothing.html"), S_OK);
    ASSERT_TRUE(host.WaitForDocuments(2, 20000));
    EXPECT_EQ(testing_support::WindowTextW(host.Control()), L"无法显示网页");
}
