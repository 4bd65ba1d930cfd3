// The browser wrapper's calls as the fake control receives them, the script error handler's COM
// answers, and its installation into the page's window.onerror.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeHtmlDocument.h"
#include "fakes/FakeWebBrowser.h"
#include "resource.h"
#include "web/ErrorHandler.h"
#include "web/WebBrowser2.h"

using fakes::FakeWebBrowser;

namespace {

struct BrowserWrapper : ::testing::Test {
    void SetUp() override
    {
        AfxEnableControlContainer();
        ASSERT_TRUE(registration.Ok());
        ASSERT_TRUE(parent.Create(IDD_ABOUTBOX, nullptr));
        ASSERT_TRUE(browser.Create("ignored class", "page", WS_VISIBLE, CRect(0, 0, 200, 100), &parent, 1000));
        fake = FakeWebBrowser::Below(browser.m_hWnd);
        ASSERT_NE(fake, nullptr);
    }
    void TearDown() override { parent.DestroyWindow(); }

    fakes::FakeWebBrowserRegistration registration;
    CDialog parent{ IDD_ABOUTBOX };
    CWebBrowser2 browser;
    FakeWebBrowser* fake = nullptr;
};

const IID kIID_IHTMLDocument2 = { 0x332C4425, 0x26CB, 0x11D0, { 0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19 } };

}  // namespace

TEST_F(BrowserWrapper, CallsReachTheControlWithTheirDispatchIds)
{
    EXPECT_EQ(::GetDlgCtrlID(browser.m_hWnd), 1000);
    browser.Navigate("http://site/page?a=1 b", nullptr, nullptr, nullptr, nullptr);

    VARIANT url, empty;
    ::VariantInit(&url);
    ::VariantInit(&empty);
    V_VT(&url) = VT_BSTR;
    V_BSTR(&url) = ::SysAllocString(L"http://game/");
    browser.Navigate2(&url, &empty, &empty, &empty, &empty);
    ::VariantClear(&url);

    browser.Refresh();

    IDispatch* doc = fakes::CreatePlainDispatch();
    fake->SetDocument(doc);
    IDispatch* got = browser.GetDocument();
    EXPECT_EQ(got, doc);
    if (got)
        got->Release();
    fake->SetDocument(nullptr);
    doc->Release();
    EXPECT_EQ(browser.GetDocument(), nullptr);

    auto calls = fake->Calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].dispid, 104);
    EXPECT_EQ(calls[0].flags, DISPATCH_METHOD);
    EXPECT_EQ(calls[0].args, (std::vector<std::string>{ "BSTR:http://site/page?a=1 b", "missing", "missing", "missing", "missing" }));
    EXPECT_EQ(calls[1].dispid, 500);
    EXPECT_EQ(calls[1].flags, DISPATCH_METHOD);
    EXPECT_EQ(calls[1].args, (std::vector<std::string>{ "ref:BSTR:http://game/", "ref:EMPTY", "ref:EMPTY", "ref:EMPTY", "ref:EMPTY" }));
    EXPECT_EQ(calls[2].dispid, -550);
    EXPECT_TRUE(calls[2].args.empty());
    EXPECT_EQ(calls[3].dispid, 203);
    EXPECT_EQ(calls[3].flags, DISPATCH_PROPERTYGET);
    EXPECT_TRUE(calls[3].args.empty());
}

TEST(BrowserWrapperUnbound, CallsDoNothing)
{
    CWebBrowser2 browser;
    browser.Navigate("http://a/", nullptr, nullptr, nullptr, nullptr);
    browser.Navigate2(nullptr, nullptr, nullptr, nullptr, nullptr);
    browser.Refresh();
    EXPECT_EQ(browser.GetDocument(), nullptr);
    InstallScriptErrorHandler(browser);  // no control: quietly nothing
}

TEST(ScriptErrorHandler, ComAnswers)
{
    ErrorHandler* handler = ErrorHandler::Instance();
    ASSERT_NE(handler, nullptr);
    EXPECT_EQ(ErrorHandler::Instance(), handler) << "one instance per process";

    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(handler->QueryInterface(IID_IUnknown, &out), S_OK);
    EXPECT_EQ(out, static_cast<IDispatch*>(handler));
    out = reinterpret_cast<void*>(1);
    EXPECT_EQ(handler->QueryInterface(IID_IDispatch, &out), S_OK);
    EXPECT_EQ(out, static_cast<IDispatch*>(handler));
    for (const IID* iid : { &IID_IOleObject, &IID_IClassFactory, &kIID_IHTMLDocument2, &IID_IPersist }) {
        out = reinterpret_cast<void*>(1);
        EXPECT_EQ(handler->QueryInterface(*iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(handler->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    // Reference counting never ends its life.
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(handler->Release(), 0u);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(handler->AddRef(), 1u);

    UINT count = 7;
    ITypeInfo* info = nullptr;
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"x");
    EXPECT_EQ(handler->GetTypeInfoCount(&count), E_NOTIMPL);
    EXPECT_EQ(handler->GetTypeInfo(0, 0, &info), E_NOTIMPL);
    EXPECT_EQ(handler->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), E_NOTIMPL);

    // Every call answers true, which marks a script error as handled.
    VARIANT result;
    ::VariantInit(&result);
    V_VT(&result) = VT_I4;
    V_I4(&result) = 5;
    VARIANTARG args[3];
    for (VARIANTARG& a : args)
        ::VariantInit(&a);
    DISPPARAMS params = { args, nullptr, 3, 0 };
    EXPECT_EQ(handler->Invoke(0, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(V_VT(&result), VT_BOOL);
    EXPECT_EQ(V_BOOL(&result), VARIANT_TRUE);
    EXPECT_EQ(handler->Invoke(12345, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr), S_OK);
}

TEST_F(BrowserWrapper, ScriptErrorHandlerGoesIntoTheTopLevelWindowOnError)
{
    fakes::OnErrorLog log;
    IDispatch* doc = fakes::CreateFakeHtmlDocument(&log);
    fake->SetDocument(doc);
    InstallScriptErrorHandler(browser);
    EXPECT_EQ(log.puts, 1);
    EXPECT_EQ(log.vt, VT_DISPATCH);
    EXPECT_EQ(log.handler, static_cast<IDispatch*>(ErrorHandler::Instance()));
    fake->SetDocument(nullptr);
    doc->Release();

    // No document, or one that is not HTML: nothing happens.
    InstallScriptErrorHandler(browser);
    IDispatch* plain = fakes::CreatePlainDispatch();
    fake->SetDocument(plain);
    InstallScriptErrorHandler(browser);
    fake->SetDocument(nullptr);
    plain->Release();
    EXPECT_EQ(log.puts, 1);
}
