// CFlashDlgBase: the control site specialised for the Shockwave Flash control. Before the
// control is activated it connects itself to the control's events and sets the movie's display
// properties; afterwards it loads login.swf from the program's folder and plays it. Flash events
// become the virtual callbacks OnFSCommand and OnFlashCall.
#pragma once

#include "flashhost/EventString.h"
#include "flashhost/FlashControl.h"
#include "flashhost/OleBaseDlg.h"

// The movie path: the folder of exePath (as the shell's PathRemoveFileSpec leaves it) followed
// by "\login.swf", in buffer. FALSE, with an empty buffer, when it does not fit.
BOOL BuildMoviePath(const char* exePath, char (&buffer)[MAX_PATH]);

class CFlashDlgBase : public TOleBaseDlg<IShockwaveFlash>, public _IShockwaveFlashEvents {
public:
    // IUnknown: the site's answers plus the event interface.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return TOleBaseDlg::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return TOleBaseDlg::Release(); }

    BOOL OnBeforeActivate() override;
    BOOL OnAfterActivate() override;

    // The event interface answers through the site's IDispatch-shaped operations.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override { return TOleBaseDlg::GetTypeInfoCount(pctinfo); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID lcid, ITypeInfo** pp) override { return TOleBaseDlg::GetTypeInfo(i, lcid, pp); }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override
    {
        return TOleBaseDlg::GetIDsOfNames(riid, names, count, lcid, ids);
    }
    // The event dispatch: FSCommand and FlashCall reach the callbacks; everything else is ignored.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
                                     VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // The movie's commands. By default the argument text is shown in a message box.
    virtual HRESULT OnFSCommand(CEventString command, CEventString args);
    virtual HRESULT OnFlashCall(CEventString request);
};
