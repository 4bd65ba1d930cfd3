// The class object of an in-process server with one control class: it lives in static storage,
// makes a new Control for each CreateInstance, and holds the module only through LockServer.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <new>

template <class Control>
class TControlClassFactory : public IClassFactory {
public:
    explicit TControlClassFactory(volatile LONG* serverLocks) : m_serverLocks(serverLocks) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory))
            return E_NOINTERFACE;
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        Control* control = new (std::nothrow) Control();
        if (!control)
            return E_OUTOFMEMORY;
        HRESULT hr = control->QueryInterface(riid, ppv);
        control->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            ::InterlockedIncrement(m_serverLocks);
        else
            ::InterlockedDecrement(m_serverLocks);
        return S_OK;
    }

private:
    volatile LONG* m_serverLocks;
};
