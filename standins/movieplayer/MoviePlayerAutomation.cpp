// The control's typed interface through automation: member names, property puts and gets, and
// the methods that load, play and stop the movie.
#include "standins/movieplayer/MoviePlayerControl.h"

#include <vector>

#include "standins/movieplayer/MovieFile.h"
#include "standins/movieplayer/MoviePlayerIds.h"

namespace movieplayer {
namespace {

enum MemberId : DISPID {
    kWMode = 1, kScale, kBackgroundColor, kEmbedMovie, kLoadMovie, kPlay, kStopPlay, kPlaying,
    kCurrentFrame, kTotalFrames, kGotoFrame, kRewind, kMovie, kReadyState,
};

struct Member {
    const wchar_t* name;
    DISPID id;
};

const Member kMembers[] = {
    { L"WMode", kWMode }, { L"Scale", kScale }, { L"BackgroundColor", kBackgroundColor },
    { L"EmbedMovie", kEmbedMovie }, { L"LoadMovie", kLoadMovie }, { L"Play", kPlay },
    { L"StopPlay", kStopPlay }, { L"Playing", kPlaying }, { L"CurrentFrame", kCurrentFrame },
    { L"TotalFrames", kTotalFrames }, { L"GotoFrame", kGotoFrame }, { L"Rewind", kRewind },
    { L"Movie", kMovie }, { L"ReadyState", kReadyState },
};

// Argument i in call order, converted to type vt.
HRESULT Arg(const DISPPARAMS* params, UINT i, VARTYPE vt, VARIANT& out)
{
    ::VariantInit(&out);
    if (!params || i >= params->cArgs)
        return DISP_E_BADPARAMCOUNT;
    VARIANT* src = &params->rgvarg[params->cArgs - 1 - i];
    return SUCCEEDED(::VariantChangeType(&out, src, 0, vt)) ? S_OK : DISP_E_TYPEMISMATCH;
}

HRESULT ExpectArgs(const DISPPARAMS* params, UINT count)
{
    UINT given = params ? params->cArgs - params->cNamedArgs : 0;
    return given == count ? S_OK : DISP_E_BADPARAMCOUNT;
}

}  // namespace

STDMETHODIMP MoviePlayerControl::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP MoviePlayerControl::GetTypeInfo(UINT, LCID, ITypeInfo** pp)
{
    if (pp)
        *pp = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP MoviePlayerControl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (!names || !ids)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (i == 0 && names[0]) {
            for (const Member& m : kMembers)
                if (::lstrcmpiW(m.name, names[0]) == 0)
                    ids[0] = m.id;
        }
        if (ids[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;  // member not known, or named parameters (none are)
    }
    return hr;
}

STDMETHODIMP MoviePlayerControl::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                        VARIANT* result, EXCEPINFO*, UINT* argErr)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (argErr)
        *argErr = 0;
    if (result)
        ::VariantInit(result);
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (!params || params->cArgs != 1)
            return DISP_E_BADPARAMCOUNT;
        AddRef();
        ++m_playerCalls;
        HRESULT hr = PutProperty(id, params->rgvarg[0]);
        --m_playerCalls;
        Release();
        return hr;
    }
    AddRef();  // frame actions run from here may raise commands whose handlers let go of us
    ++m_playerCalls;
    HRESULT hr = S_OK;
    VARIANT a, b;
    ::VariantInit(&a);
    ::VariantInit(&b);
    switch (id) {
    case kLoadMovie:
        if ((hr = ExpectArgs(params, 2)) == S_OK && (hr = Arg(params, 0, VT_I4, a)) == S_OK &&
            (hr = Arg(params, 1, VT_BSTR, b)) == S_OK) {
            // Only the base layer exists in this player.
            hr = a.lVal != 0 ? E_INVALIDARG : LoadMovieFile(b.bstrVal ? b.bstrVal : L"");
        }
        break;
    case kPlay:
        if (!m_player.Loaded()) {
            hr = E_UNEXPECTED;
        } else {
            m_player.Play();
            StartTimer();
        }
        break;
    case kStopPlay:
        m_player.Stop();
        break;
    case kRewind:
        m_player.GotoFrame(0);
        m_player.Stop();
        break;
    case kGotoFrame:
        if ((hr = ExpectArgs(params, 1)) == S_OK && (hr = Arg(params, 0, VT_I4, a)) == S_OK)
            m_player.GotoFrame(a.lVal);
        break;
    default:
        if (flags & DISPATCH_PROPERTYGET)
            hr = GetProperty(id, result);
        else
            hr = DISP_E_MEMBERNOTFOUND;
        break;
    }
    ::VariantClear(&a);
    ::VariantClear(&b);
    --m_playerCalls;
    if (m_player.TakeDirty())
        Invalidate();
    Release();
    return hr;
}

HRESULT MoviePlayerControl::PutProperty(DISPID id, const VARIANT& value)
{
    VARIANT v;
    ::VariantInit(&v);
    VARTYPE vt = id == kWMode || id == kScale || id == kMovie ? VT_BSTR : id == kEmbedMovie ? VT_BOOL : VT_I4;
    if (id != kWMode && id != kScale && id != kMovie && id != kEmbedMovie && id != kBackgroundColor)
        return DISP_E_MEMBERNOTFOUND;
    if (FAILED(::VariantChangeType(&v, const_cast<VARIANT*>(&value), 0, vt)))
        return DISP_E_TYPEMISMATCH;
    HRESULT hr = S_OK;
    const wchar_t* text = vt == VT_BSTR && v.bstrVal ? v.bstrVal : L"";
    switch (id) {
    case kWMode:
        m_wmode = text;
        break;
    case kScale:
        m_scale = text;
        SyncViewport();
        break;
    case kBackgroundColor:
        m_backgroundColor = v.lVal < 0 ? -1 : (v.lVal & 0xFFFFFF);
        break;
    case kEmbedMovie:
        m_embedMovie = v.boolVal != VARIANT_FALSE;
        break;
    case kMovie:
        hr = LoadMovieFile(text);
        break;
    }
    ::VariantClear(&v);
    Invalidate();
    return hr;
}

HRESULT MoviePlayerControl::GetProperty(DISPID id, VARIANT* result)
{
    if (!result)
        return E_POINTER;
    switch (id) {
    case kWMode:
        result->vt = VT_BSTR;
        result->bstrVal = ::SysAllocString(m_wmode.c_str());
        return S_OK;
    case kScale:
        result->vt = VT_BSTR;
        result->bstrVal = ::SysAllocString(m_scale.c_str());
        return S_OK;
    case kBackgroundColor:
        result->vt = VT_I4;
        result->lVal = m_backgroundColor;
        return S_OK;
    case kEmbedMovie:
        result->vt = VT_BOOL;
        result->boolVal = m_embedMovie ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case kPlaying:
        result->vt = VT_BOOL;
        result->boolVal = m_player.Playing() ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    case kCurrentFrame:
        result->vt = VT_I4;
        result->lVal = m_player.CurrentFrame();
        return S_OK;
    case kTotalFrames:
        result->vt = VT_I4;
        result->lVal = m_player.FrameCount();
        return S_OK;
    case kReadyState:
        result->vt = VT_I4;
        result->lVal = m_player.Loaded() ? 4 : 0;  // complete, or nothing loaded
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

HRESULT MoviePlayerControl::LoadMovieFile(const std::wstring& url)
{
    std::vector<uint8_t> bytes;
    HRESULT hr = ReadMovieFile(url, bytes);
    if (FAILED(hr))
        return hr;
    if (!m_player.Load(bytes.data(), bytes.size()))
        return E_FAIL;  // not a movie this player can show
    SyncViewport();
    if (m_inPlaceSite || m_siteWindow)
        StartTimer();
    Invalidate();
    return S_OK;
}

}  // namespace movieplayer
