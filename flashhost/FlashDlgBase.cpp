// The Flash specialisation of the control site: events, movie properties, loading and playing.
#include "flashhost/FlashDlgBase.h"

#include <shlwapi.h>

#include <cstring>

BYTE g_bHostDragging = 0;
POINT g_ptHostDragOffset = { 0, 0 };

namespace {
const char kMovieFileName[] = "\\login.swf";

// Reads the string of one event parameter; false when the slot holds no string.
bool StringParam(const DISPPARAMS* params, UINT slot, CEventString* out)
{
    const VARIANT& v = params->rgvarg[slot];
    if (v.vt == VT_BSTR) {
        *out = CEventString(v.bstrVal);
        return true;
    }
    if (v.vt == (VT_BSTR | VT_BYREF) && v.pbstrVal) {
        *out = CEventString(*v.pbstrVal);
        return true;
    }
    return false;
}
}  // namespace

BOOL BuildMoviePath(const char* exePath, char (&buffer)[MAX_PATH])
{
    ::memset(buffer, 0, sizeof buffer);
    if (!exePath || ::strlen(exePath) >= MAX_PATH)
        return FALSE;
    ::strcpy(buffer, exePath);
    ::PathRemoveFileSpecA(buffer);
    if (::strlen(buffer) + sizeof kMovieFileName > MAX_PATH) {
        ::memset(buffer, 0, sizeof buffer);
        return FALSE;
    }
    ::strcat(buffer, kMovieFileName);
    return TRUE;
}

STDMETHODIMP CFlashDlgBase::QueryInterface(REFIID riid, void** ppv)
{
    HRESULT hr = TOleBaseDlg::QueryInterface(riid, ppv);
    if (hr != E_NOINTERFACE)
        return hr;
    if (IsEqualIID(riid, DIID__IShockwaveFlashEvents)) {
        *ppv = static_cast<_IShockwaveFlashEvents*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

BOOL CFlashDlgBase::OnBeforeActivate()
{
    if (FAILED(m_pControl->QueryInterface(IID_IConnectionPointContainer,
                                          reinterpret_cast<void**>(&m_pConnectionPointContainer)))) {
        m_pConnectionPointContainer = nullptr;
        return FALSE;
    }
    if (FAILED(m_pConnectionPointContainer->FindConnectionPoint(DIID__IShockwaveFlashEvents, &m_pConnectionPoint))) {
        m_pConnectionPoint = nullptr;
        return FALSE;
    }
    if (FAILED(m_pConnectionPoint->Advise(static_cast<_IShockwaveFlashEvents*>(this), &m_dwEventCookie))) {
        m_dwEventCookie = 0;
        return FALSE;
    }
    // Display properties; a control that refuses one still plays.
    if (m_bLayered)
        FlashPutWMode(m_pControl, L"transparent");
    FlashPutScale(m_pControl, L"showAll");
    FlashPutBackgroundColor(m_pControl, 0);
    FlashPutEmbedMovie(m_pControl, false);
    return TRUE;
}

BOOL CFlashDlgBase::OnAfterActivate()
{
    FlashPutEmbedMovie(m_pControl, true);

    char exePath[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exePath, MAX_PATH);
    char moviePath[MAX_PATH];
    if (!BuildMoviePath(exePath, moviePath))
        return FALSE;
    std::wstring wide = CString(moviePath).Wide();

    if (FAILED(FlashLoadMovie(m_pControl, 0, wide.c_str())))
        return FALSE;
    if (FAILED(FlashPlay(m_pControl)))
        return FALSE;
    return TRUE;
}

HRESULT STDMETHODCALLTYPE CFlashDlgBase::Invoke(DISPID dispIdMember, REFIID, LCID, WORD, DISPPARAMS* pDispParams,
                                                VARIANT*, EXCEPINFO*, UINT*)
{
    // The control sends FSCommand with two strings and FlashCall with one; an event of another
    // shape under those ids is ignored rather than read past its end. Arguments arrive last first.
    if (!pDispParams || !pDispParams->rgvarg)
        return S_OK;
    if (dispIdMember == DISPID_FLASH_FSCOMMAND && pDispParams->cArgs == 2) {
        CEventString args, command;
        if (StringParam(pDispParams, 0, &args) && StringParam(pDispParams, 1, &command))
            OnFSCommand(command, args);
    } else if (dispIdMember == DISPID_FLASH_FLASHCALL && pDispParams->cArgs == 1) {
        CEventString request;
        if (StringParam(pDispParams, 0, &request))
            OnFlashCall(request);
    }
    return S_OK;
}

HRESULT CFlashDlgBase::OnFSCommand(CEventString command, CEventString args)
{
    ::MessageBoxA(nullptr, args.Narrow(), nullptr, MB_OK);
    command.Release();
    args.Release();
    return S_OK;
}

HRESULT CFlashDlgBase::OnFlashCall(CEventString request)
{
    request.Release();
    return S_OK;
}
