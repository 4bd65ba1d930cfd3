// A fake WebBrowser control for the Windows tests, registered in the test process under the
// WebBrowser class. It is a windowed in-place control that records the automation calls made on
// it and the keys it sees, and raises its events on demand.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

namespace fakes {

// One automation call. Each argument is described in call order: "BSTR:<text>", "I4:<n>",
// "missing", "ref:EMPTY", "ref:BSTR:<text>", "ref:I4:<n>", or "VT:<number>" for anything else.
struct WebBrowserCall {
    DISPID dispid = 0;
    WORD flags = 0;
    std::vector<std::string> args;
};

class FakeWebBrowser;

// Registers the fake under the WebBrowser class for this thread's apartment while it lives.
class FakeWebBrowserRegistration {
public:
    FakeWebBrowserRegistration();
    ~FakeWebBrowserRegistration();
    FakeWebBrowserRegistration(const FakeWebBrowserRegistration&) = delete;
    FakeWebBrowserRegistration& operator=(const FakeWebBrowserRegistration&) = delete;
    bool Ok() const { return m_cookie != 0; }

private:
    DWORD m_cookie = 0;
};

class FakeWebBrowser {
public:
    // The live fake whose site window is hWnd or lies below it, or null.
    static FakeWebBrowser* Below(HWND hWnd);
    // How many fakes are alive (not yet released by everybody).
    static size_t LiveCount();

    // The control's own window (a child of its site window), and the site's window.
    HWND Window() const;
    HWND SiteWindow() const;
    bool IsInPlaceActive() const;
    bool WasClosed() const;

    std::vector<WebBrowserCall> Calls() const;
    void ClearCalls();

    // The document answered for the Document property (null: none); the fake holds a reference.
    void SetDocument(IDispatch* pDocument);

    // Keys the control's window received, and keys offered to it as accelerators (message, key).
    std::vector<std::pair<UINT, WPARAM>> WindowKeys() const;
    std::vector<std::pair<UINT, WPARAM>> AcceleratorKeys() const;
    // Keys (WM_KEYDOWN) the control takes as its accelerators.
    void SetAcceleratorKeys(const std::vector<WPARAM>& keys);

    // Events, delivered to every connected sink; the sink's result.
    HRESULT FireStatusTextChange(const wchar_t* text);
    // Raises NewWindow2 with the given dispatch slot and Cancel flag (both read back after).
    HRESULT FireNewWindow2(IDispatch** ppDisp, VARIANT_BOOL* pCancel);
    HRESULT FireNavigateComplete2(IDispatch* pFrame, const wchar_t* url);
    HRESULT FireDocumentComplete(IDispatch* pFrame, const wchar_t* url);
    // Raises any event with arguments given last first, as automation passes them.
    HRESULT FireEvent(DISPID dispid, std::vector<VARIANTARG> argsLastFirst);

    // How many sinks are connected.
    size_t SinkCount() const;

protected:
    FakeWebBrowser() = default;
    virtual ~FakeWebBrowser() = default;
};

// The WebBrowser class identifier and its event interface DWebBrowserEvents2.
extern const CLSID kCLSID_WebBrowser;
extern const IID kDIID_DWebBrowserEvents2;

}  // namespace fakes
