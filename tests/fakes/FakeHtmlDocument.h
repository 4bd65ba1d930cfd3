// Fake page documents for the fake WebBrowser's Document property: an HTML document whose parent
// window records what is put into its onerror, and a document that is not HTML.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace fakes {

// What the document's window received through put_onerror.
struct OnErrorLog {
    int puts = 0;
    VARTYPE vt = VT_EMPTY;
    IDispatch* handler = nullptr;  // not referenced
};

// A new HTML document (one reference for the caller) whose window writes into *pLog.
IDispatch* CreateFakeHtmlDocument(OnErrorLog* pLog);
// A new dispatch object (one reference) that answers only IUnknown and IDispatch.
IDispatch* CreatePlainDispatch();

}  // namespace fakes
