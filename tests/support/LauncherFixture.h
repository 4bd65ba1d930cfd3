// The real main launcher window in this process with the fake Flash and WebBrowser controls, run
// modally while a driver thread acts as the movie and the user.
#pragma once

#include <gtest/gtest.h>

#include "app/LauncherSettings.h"
#include "fakes/FakeFlash.h"
#include "fakes/FakeWebBrowser.h"
#include "launcher/TavikGameDlg.h"
#include "support/ModalDriver.h"
#include "support/TestSupport.h"

namespace testing_support {

struct LauncherFixture : ::testing::Test {
    void SetUp() override
    {
        fakes::ResetFakeFlash();
        g_nWindowWidth = 1000;
        g_nWindowHeight = 695;
        g_strTitle = "LauncherUnderTest";
        g_strGameUrl = "wd=1";
        g_bDialogDragging = 0;
        AfxGetApp()->m_pMainWnd = &dlg;
    }
    void TearDown() override { AfxGetApp()->m_pMainWnd = nullptr; }

    // The movie raises FSCommand, on the GUI thread as the control would; its answer.
    HRESULT Movie(const wchar_t* command, const wchar_t* args)
    {
        HRESULT hr = E_FAIL;
        gui.Run([&] { hr = fakes::FireFSCommand(command, args); });
        return hr;
    }
    // The same without waiting (for commands that open a box).
    void MovieAsync(const wchar_t* command, const wchar_t* args)
    {
        std::wstring c = command, a = args;
        gui.Post([c, a] { fakes::FireFSCommand(c.c_str(), a.c_str()); });
    }
    static RECT Rect(HWND h)
    {
        RECT rc = {};
        ::GetWindowRect(h, &rc);
        return rc;
    }
    HWND Web() const { return dlg.m_webWnd.m_hWnd; }

    RecorderLog log;
    fakes::FakeFlashRegistration flash;
    fakes::FakeWebBrowserRegistration browser;
    GuiInvoker gui;
    CTavikGameDlg dlg;
};

}  // namespace testing_support
