// Test side of the page view: its DLL loaded in this process with its class object registered
// for the test's length, an event sink that records DWebBrowserEvents2, an onerror handler with a
// chosen answer, and a small ActiveX container that puts the control in a dialog.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace pageview_test {

// pageview.dll loaded from the build folder; the WebBrowser class served by it in this process
// while the object lives (nothing is written to the registry).
class PageViewServer {
public:
    PageViewServer();
    ~PageViewServer();
    bool Registered() const { return m_cookie != 0; }
    static HMODULE Module();

private:
    DWORD m_cookie = 0;
};

struct RecordedEvent {
    DISPID id = 0;
    std::wstring text;           // status text, or the URL of the navigation events
    std::vector<VARTYPE> types;  // argument types, in the order the event declares them
    IDispatch* frame = nullptr;  // the pDisp of the navigation events (not held)
    bool newWindowWasNull = false;
    bool cancelWasFalse = false;
};

// Records every event; answers NewWindow2 as told and may install an onerror handler on each
// NavigateComplete2 the way the launcher's game window does.
class EventRecorder : public IDispatch {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

    std::vector<RecordedEvent> events;
    VARIANT_BOOL cancelAnswer = VARIANT_TRUE;
    IDispatch* newWindowAnswer = nullptr;   // given back through ppDisp when set
    IDispatch* control = nullptr;           // for installing onerror
    IDispatch* errorHandler = nullptr;      // installed on every NavigateComplete2 when set

    size_t Count(DISPID id) const;
    std::vector<std::wstring> Texts(DISPID id) const;
};

// An onerror handler that records its calls and answers as told.
class ErrorHandlerStub : public IDispatch {
public:
    enum class Answer { True, False, Nothing, Fails };
    explicit ErrorHandlerStub(Answer answer) : m_answer(answer) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override { *count = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*, UINT*) override;

    struct Call {
        DISPID id;
        WORD flags;
        std::wstring message, url;
        LONG line;
        bool argsAsExpected;  // three arguments: BSTR message, BSTR url, integer line
        size_t navigateCompletes, documentCompletes;  // seen by the recorder at the time
    };
    std::vector<Call> calls;
    const EventRecorder* recorder = nullptr;

private:
    Answer m_answer;
};

// A dialog holding the control as an ActiveX container does: OleCreate with a client site,
// DoVerb with an in-place site whose window is the dialog, then events through a connection point.
class PageViewHost : public IOleClientSite, public IOleInPlaceSite {
public:
    PageViewHost();
    ~PageViewHost();

    // Creates the dialog and the control at rect (dialog client coordinates).
    bool Create(const RECT& rect, LONG verb = OLEIVERB_INPLACEACTIVATE);
    void Destroy();

    HWND Dialog() const { return m_dialog; }
    HWND Control() const;
    IDispatch* Dispatch() const { return m_dispatch; }
    EventRecorder& Events() { return m_events; }

    // Navigate (104) as the launcher's wrapper calls it: a BSTR and four null variant pointers.
    HRESULT Navigate(const std::wstring& url);
    // Navigate2 (500): the URL in a variant passed by reference.
    HRESULT Navigate2(const std::wstring& url);
    HRESULT Refresh();
    HRESULT Invoke(DISPID id, WORD flags, std::vector<VARIANT>& reversedArgs, VARIANT* result);
    // The Document property (203), or null.
    IDispatch* Document();
    // Waits until count DocumentComplete events have arrived in all.
    bool WaitForDocuments(size_t count, DWORD timeoutMs = 10000);

    // Moves the pointer over the control in small steps; the first point at which each status
    // text (link address) appeared.
    std::map<std::wstring, POINT> FindLinks();
    void Click(POINT at);
    // The control's picture as it paints itself.
    COLORREF PixelAt(int x, int y);

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** container) override { *container = nullptr; return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleWindow, IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override { *window = m_dialog; return S_OK; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { ++inPlaceActivations; return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { ++inPlaceDeactivations; return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    int inPlaceActivations = 0;
    int inPlaceDeactivations = 0;

private:
    HWND m_dialog = nullptr;
    RECT m_rect = {};
    IStorage* m_storage = nullptr;
    IOleObject* m_object = nullptr;
    IDispatch* m_dispatch = nullptr;
    IConnectionPoint* m_point = nullptr;
    DWORD m_cookie = 0;
    EventRecorder m_events;
};

// A file: URL for a path of this machine ("C:\dir\a.html" -> "file:///C:/dir/a.html").
std::wstring FileUrl(const std::wstring& path);
// The demo site as copied beside the test program, with a trailing backslash.
std::wstring DemoSiteDir();
// Top-level windows of the view's own (opened for a new-window link), in this process.
std::vector<HWND> PopupPageWindows();

}  // namespace pageview_test
