// The page view as an ActiveX control: OLE embedding and in-place activation, the automation
// members hosts call, and the DWebBrowserEvents2 events it raises.
#include "PageViewControl.h"

#include <exdisp.h>
#include <exdispid.h>
#include <olectl.h>

#include "PageDocument.h"
#include "PageViewModule.h"
#include "TextConvert.h"

namespace pageview {

namespace {

const DISPID kDispNavigate = 104;
const DISPID kDispNavigate2 = 500;
const DISPID kDispDocument = 203;
const DISPID kDispLocationName = 210;
const DISPID kDispLocationUrl = 211;

// Default size before the container says otherwise: 300 x 150 pixels in HIMETRIC units.
const LONG kDefaultWidthHimetric = 300 * 2540 / 96;
const LONG kDefaultHeightHimetric = 150 * 2540 / 96;

struct MemberName {
    const wchar_t* name;
    DISPID id;
};

const MemberName kMembers[] = {
    { L"Navigate", kDispNavigate }, { L"Navigate2", kDispNavigate2 }, { L"Refresh", DISPID_REFRESH },
    { L"Document", kDispDocument }, { L"LocationName", kDispLocationName }, { L"LocationURL", kDispLocationUrl },
};

// The first argument as a string: a BSTR, a BSTR by reference, or a variant by reference holding one.
HRESULT FirstArgumentString(const DISPPARAMS* params, std::wstring& text)
{
    if (!params || params->cArgs < 1 || !params->rgvarg)
        return DISP_E_BADPARAMCOUNT;
    const VARIANT* value = &params->rgvarg[params->cArgs - 1];
    for (int depth = 0; value->vt == (VT_BYREF | VT_VARIANT); ++depth) {
        if (!value->pvarVal || depth > 4)
            return DISP_E_TYPEMISMATCH;
        value = value->pvarVal;
    }
    if (value->vt == VT_BSTR) {
        text.assign(value->bstrVal ? value->bstrVal : L"", value->bstrVal ? ::SysStringLen(value->bstrVal) : 0);
        return S_OK;
    }
    if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal) {
        BSTR s = *value->pbstrVal;
        text.assign(s ? s : L"", s ? ::SysStringLen(s) : 0);
        return S_OK;
    }
    VARIANT converted;
    ::VariantInit(&converted);
    if (FAILED(::VariantChangeType(&converted, const_cast<VARIANT*>(value), 0, VT_BSTR)))
        return DISP_E_TYPEMISMATCH;
    text.assign(converted.bstrVal ? converted.bstrVal : L"", converted.bstrVal ? ::SysStringLen(converted.bstrVal) : 0);
    ::VariantClear(&converted);
    return S_OK;
}

HRESULT StringResult(const std::wstring& text, VARIANT* result)
{
    if (!result)
        return S_OK;
    ::VariantInit(result);
    result->vt = VT_BSTR;
    result->bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return result->bstrVal ? S_OK : E_OUTOFMEMORY;
}

}  // namespace

PageViewControl::PageViewControl() : m_events(this), m_view(this)
{
    m_extent.cx = kDefaultWidthHimetric;
    m_extent.cy = kDefaultHeightHimetric;
    LockModule();
}

PageViewControl::~PageViewControl()
{
    m_view.Destroy();
    if (m_inPlaceSite)
        m_inPlaceSite->Release();
    if (m_clientSite)
        m_clientSite->Release();
    for (auto& sink : m_sinks)
        sink.second->Release();
    if (m_document)
        m_document->Release();
    UnlockModule();
}

// IUnknown

STDMETHODIMP PageViewControl::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch)
        *ppv = static_cast<IDispatch*>(this);
    else if (riid == IID_IOleObject)
        *ppv = static_cast<IOleObject*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject)
        *ppv = static_cast<IOleInPlaceObject*>(this);
    else if (riid == IID_IOleInPlaceActiveObject)
        *ppv = static_cast<IOleInPlaceActiveObject*>(this);
    else if (riid == IID_IOleControl)
        *ppv = static_cast<IOleControl*>(this);
    else if (riid == IID_IConnectionPointContainer)
        *ppv = static_cast<IConnectionPointContainer*>(this);
    else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2)
        *ppv = static_cast<IProvideClassInfo2*>(this);
    else if (riid == IID_IPersist || riid == IID_IPersistStorage)
        *ppv = static_cast<IPersistStorage*>(this);
    else if (riid == IID_IPersistStreamInit)
        *ppv = static_cast<IPersistStreamInit*>(this);
    else
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) PageViewControl::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

STDMETHODIMP_(ULONG) PageViewControl::Release()
{
    LONG refs = ::InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

// IDispatch

STDMETHODIMP PageViewControl::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP PageViewControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids)
        return E_POINTER;
    if (count == 0)
        return S_OK;
    for (UINT i = 0; i < count; ++i)
        ids[i] = DISPID_UNKNOWN;
    if (!names[0])
        return DISP_E_UNKNOWNNAME;
    for (const MemberName& member : kMembers) {
        if (::CompareStringOrdinal(names[0], -1, member.name, -1, TRUE) == CSTR_EQUAL) {
            ids[0] = member.id;
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP PageViewControl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*)
{
    const bool method = (flags & DISPATCH_METHOD) != 0;
    const bool get = (flags & DISPATCH_PROPERTYGET) != 0;
    switch (id) {
    case kDispNavigate:
    case kDispNavigate2: {
        if (!method)
            return DISP_E_MEMBERNOTFOUND;
        std::wstring url;
        HRESULT hr = FirstArgumentString(params, url);
        if (FAILED(hr))
            return hr;
        m_view.Navigate(WideToUtf8(url));
        return S_OK;
    }
    case DISPID_REFRESH:
        if (!method)
            return DISP_E_MEMBERNOTFOUND;
        m_view.Refresh();
        return S_OK;
    case kDispDocument:
        if (!get)
            return DISP_E_MEMBERNOTFOUND;
        if (result) {
            ::VariantInit(result);
            result->vt = VT_DISPATCH;
            result->pdispVal = m_document;
            if (m_document)
                m_document->AddRef();
        }
        return S_OK;
    case kDispLocationUrl:
        if (!get)
            return DISP_E_MEMBERNOTFOUND;
        return StringResult(Utf8ToWide(m_view.Address()), result);
    case kDispLocationName: {
        if (!get)
            return DISP_E_MEMBERNOTFOUND;
        wchar_t title[512] = L"";
        if (m_view.Handle())
            ::GetWindowTextW(m_view.Handle(), title, 512);
        return StringResult(title, result);
    }
    }
    return DISP_E_MEMBERNOTFOUND;
}

// IOleObject

STDMETHODIMP PageViewControl::SetClientSite(IOleClientSite* site)
{
    if (site)
        site->AddRef();
    if (m_clientSite)
        m_clientSite->Release();
    m_clientSite = site;
    return S_OK;
}

STDMETHODIMP PageViewControl::GetClientSite(IOleClientSite** site)
{
    if (!site)
        return E_POINTER;
    *site = m_clientSite;
    if (m_clientSite)
        m_clientSite->AddRef();
    return S_OK;
}

STDMETHODIMP PageViewControl::Close(DWORD)
{
    InPlaceDeactivate();
    return S_OK;
}

STDMETHODIMP PageViewControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT posRect)
{
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_OPEN:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
        return Activate(site ? site : m_clientSite, parent, posRect);
    case OLEIVERB_HIDE:
        if (m_view.Handle())
            ::ShowWindow(m_view.Handle(), SW_HIDE);
        return S_OK;
    }
    return OLEOBJ_S_INVALIDVERB;
}

HRESULT PageViewControl::Activate(IOleClientSite* site, HWND parent, LPCRECT posRect)
{
    if (m_view.Handle()) {
        ::ShowWindow(m_view.Handle(), SW_SHOW);
        return S_OK;
    }
    RECT pos = posRect ? *posRect : RECT{ 0, 0, 300, 150 };
    IOleInPlaceSite* inPlace = nullptr;
    if (site)
        site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace));
    if (inPlace) {
        if (inPlace->CanInPlaceActivate() != S_OK) {
            inPlace->Release();
            return E_FAIL;
        }
        inPlace->OnInPlaceActivate();
        HWND siteWindow = nullptr;
        if (SUCCEEDED(inPlace->GetWindow(&siteWindow)) && siteWindow)
            parent = siteWindow;
        IOleInPlaceFrame* frame = nullptr;
        IOleInPlaceUIWindow* document = nullptr;
        RECT sitePos = {}, clip = {};
        OLEINPLACEFRAMEINFO info = { sizeof(info) };
        if (SUCCEEDED(inPlace->GetWindowContext(&frame, &document, &sitePos, &clip, &info)) &&
            (sitePos.right > sitePos.left || sitePos.bottom > sitePos.top || !posRect))
            pos = sitePos;
        if (frame)
            frame->Release();
        if (document)
            document->Release();
        if (m_inPlaceSite)
            m_inPlaceSite->Release();
        m_inPlaceSite = inPlace;
    }
    if (!parent || !::IsWindow(parent))
        return E_INVALIDARG;
    if (!m_view.Create(parent, pos, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP))
        return E_FAIL;
    return S_OK;
}

STDMETHODIMP PageViewControl::GetUserClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_PageView;
    return S_OK;
}

STDMETHODIMP PageViewControl::SetExtent(DWORD aspect, SIZEL* size)
{
    if (aspect != DVASPECT_CONTENT)
        return E_FAIL;
    if (!size)
        return E_POINTER;
    m_extent = *size;
    return S_OK;
}

STDMETHODIMP PageViewControl::GetExtent(DWORD aspect, SIZEL* size)
{
    if (aspect != DVASPECT_CONTENT)
        return E_FAIL;
    if (!size)
        return E_POINTER;
    *size = m_extent;
    return S_OK;
}

STDMETHODIMP PageViewControl::GetMiscStatus(DWORD, DWORD* status)
{
    if (!status)
        return E_POINTER;
    *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
              OLEMISC_RECOMPOSEONRESIZE;
    return S_OK;
}

// IOleWindow, IOleInPlaceObject

STDMETHODIMP PageViewControl::GetWindow(HWND* window)
{
    if (!window)
        return E_POINTER;
    *window = m_view.Handle();
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP PageViewControl::InPlaceDeactivate()
{
    m_view.Destroy();
    if (m_inPlaceSite) {
        IOleInPlaceSite* site = m_inPlaceSite;
        m_inPlaceSite = nullptr;
        site->OnInPlaceDeactivate();
        site->Release();
    }
    return S_OK;
}

STDMETHODIMP PageViewControl::SetObjectRects(LPCRECT pos, LPCRECT)
{
    if (!pos)
        return E_POINTER;
    if (m_view.Handle())
        ::MoveWindow(m_view.Handle(), pos->left, pos->top, pos->right - pos->left, pos->bottom - pos->top, TRUE);
    return S_OK;
}

// IOleControl

STDMETHODIMP PageViewControl::FreezeEvents(BOOL freeze)
{
    if (freeze)
        ++m_freeze;
    else if (m_freeze > 0)
        --m_freeze;
    return S_OK;
}

// IConnectionPointContainer and the event point

STDMETHODIMP PageViewControl::FindConnectionPoint(REFIID riid, IConnectionPoint** point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (riid != __uuidof(DWebBrowserEvents2))
        return CONNECT_E_NOCONNECTION;
    *point = &m_events;
    m_events.AddRef();
    return S_OK;
}

STDMETHODIMP PageViewControl::EventPoint::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (riid != IID_IUnknown && riid != IID_IConnectionPoint)
        return E_NOINTERFACE;
    *ppv = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP PageViewControl::EventPoint::GetConnectionInterface(IID* iid)
{
    if (!iid)
        return E_POINTER;
    *iid = __uuidof(DWebBrowserEvents2);
    return S_OK;
}

STDMETHODIMP PageViewControl::EventPoint::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    if (!container)
        return E_POINTER;
    *container = m_owner;
    m_owner->AddRef();
    return S_OK;
}

STDMETHODIMP PageViewControl::EventPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    *cookie = 0;
    IDispatch* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(__uuidof(DWebBrowserEvents2), reinterpret_cast<void**>(&dispatch))) &&
        FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = m_owner->m_nextCookie++;
    m_owner->m_sinks.emplace_back(*cookie, dispatch);
    return S_OK;
}

STDMETHODIMP PageViewControl::EventPoint::Unadvise(DWORD cookie)
{
    auto& sinks = m_owner->m_sinks;
    for (auto it = sinks.begin(); it != sinks.end(); ++it) {
        if (it->first == cookie) {
            IDispatch* sink = it->second;
            sinks.erase(it);
            sink->Release();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

// IProvideClassInfo2, IPersist

STDMETHODIMP PageViewControl::GetGUID(DWORD kind, GUID* guid)
{
    if (!guid)
        return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
        *guid = GUID_NULL;
        return E_INVALIDARG;
    }
    *guid = __uuidof(DWebBrowserEvents2);
    return S_OK;
}

STDMETHODIMP PageViewControl::GetClassID(CLSID* clsid)
{
    if (!clsid)
        return E_POINTER;
    *clsid = CLSID_PageView;
    return S_OK;
}

STDMETHODIMP PageViewControl::GetSizeMax(ULARGE_INTEGER* size)
{
    if (!size)
        return E_POINTER;
    size->QuadPart = 0;
    return S_OK;
}

// Events

void PageViewControl::Fire(DISPID id, VARIANT* args, UINT count)
{
    if (m_freeze > 0)
        return;
    // Sinks may come and go while they handle the event; call the ones connected now.
    std::vector<IDispatch*> sinks;
    for (auto& sink : m_sinks) {
        sink.second->AddRef();
        sinks.push_back(sink.second);
    }
    DISPPARAMS params = { args, nullptr, count, 0 };
    for (IDispatch* sink : sinks) {
        sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        sink->Release();
    }
}

void PageViewControl::PageStatusText(const std::wstring& text)
{
    VARIANT arg;
    ::VariantInit(&arg);
    arg.vt = VT_BSTR;
    arg.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    Fire(DISPID_STATUSTEXTCHANGE, &arg, 1);
    ::VariantClear(&arg);
}

bool PageViewControl::PageNewWindow(const std::wstring& address)
{
    IDispatch* newWindow = nullptr;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    VARIANT args[2];  // in reverse order: Cancel, ppDisp
    ::VariantInit(&args[0]);
    ::VariantInit(&args[1]);
    args[0].vt = VT_BYREF | VT_BOOL;
    args[0].pboolVal = &cancel;
    args[1].vt = VT_BYREF | VT_DISPATCH;
    args[1].ppdispVal = &newWindow;
    Fire(DISPID_NEWWINDOW2, args, 2);
    if (cancel != VARIANT_FALSE) {
        if (newWindow)
            newWindow->Release();
        return true;
    }
    if (!newWindow)
        return false;
    // The host gave a browser of its own for the new window: the page opens there.
    VARIANT url;
    ::VariantInit(&url);
    url.vt = VT_BSTR;
    url.bstrVal = ::SysAllocStringLen(address.data(), static_cast<UINT>(address.size()));
    DISPPARAMS params = { &url, nullptr, 1, 0 };
    newWindow->Invoke(kDispNavigate2, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    ::VariantClear(&url);
    newWindow->Release();
    return true;
}

void PageViewControl::PageNavigateComplete(const std::wstring& address, const std::wstring& title)
{
    PageDocument* document = PageDocument::Create(address, title);
    if (m_document)
        m_document->Release();
    m_document = document;

    VARIANT url;
    ::VariantInit(&url);
    url.vt = VT_BSTR;
    url.bstrVal = ::SysAllocStringLen(address.data(), static_cast<UINT>(address.size()));
    VARIANT args[2];  // in reverse order: URL, pDisp
    ::VariantInit(&args[0]);
    ::VariantInit(&args[1]);
    args[0].vt = VT_BYREF | VT_VARIANT;
    args[0].pvarVal = &url;
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = static_cast<IDispatch*>(this);
    Fire(DISPID_NAVIGATECOMPLETE2, args, 2);
    ::VariantClear(&url);
}

bool PageViewControl::PageScriptError(const std::wstring& message, const std::wstring& address, int line)
{
    PageDocument* document = m_document;
    if (!document)
        return false;
    document->AddRef();
    bool handled = document->ReportScriptError(message, address, line);
    document->Release();
    return handled;
}

void PageViewControl::PageDocumentComplete(const std::wstring& address)
{
    VARIANT url;
    ::VariantInit(&url);
    url.vt = VT_BSTR;
    url.bstrVal = ::SysAllocStringLen(address.data(), static_cast<UINT>(address.size()));
    VARIANT args[2];
    ::VariantInit(&args[0]);
    ::VariantInit(&args[1]);
    args[0].vt = VT_BYREF | VT_VARIANT;
    args[0].pvarVal = &url;
    args[1].vt = VT_DISPATCH;
    args[1].pdispVal = static_cast<IDispatch*>(this);
    Fire(DISPID_DOCUMENTCOMPLETE, args, 2);
    ::VariantClear(&url);
}

}  // namespace pageview
