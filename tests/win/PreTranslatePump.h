// Handles this thread's queued messages as the framework's modal loop does: pre-translation
// first, then translation and dispatch.
#pragma once

#include <windows.h>

#include "framework/Afx.h"

namespace testing_support {

inline void PumpWithPreTranslate(DWORD ms)
{
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - start < ms);
}

}  // namespace testing_support
