// A host window with a Flash site in this process, and the fake Flash control registered.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/LauncherSettings.h"
#include "fakes/FakeFlash.h"
#include "flashhost/FlashDlgBase.h"

namespace testing_support {

// A Flash site that records the events it receives.
class RecordingFlashSite : public CFlashDlgBase {
public:
    struct Command {
        bool commandNull, argsNull;
        std::string command, args;
    };
    std::vector<Command> commands;
    std::vector<std::string> flashCalls;

    HRESULT OnFSCommand(CEventString command, CEventString args) override
    {
        commands.push_back({ command.IsNull(), args.IsNull(), command.IsNull() ? "" : command.Narrow(),
                             args.IsNull() ? "" : args.Narrow() });
        return S_OK;
    }
    HRESULT OnFlashCall(CEventString request) override
    {
        flashCalls.push_back(request.IsNull() ? "(null)" : request.Narrow());
        return S_OK;
    }
};

struct FlashHostFixture : ::testing::Test {
    void SetUp() override
    {
        fakes::ResetFakeFlash();
        g_nWindowWidth = 400;
        g_nWindowHeight = 300;
        host = ::CreateWindowExW(WS_EX_APPWINDOW | WS_EX_TOOLWINDOW, L"STATIC", L"host",
                                 WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_VISIBLE, 50, 60, 200, 100, nullptr, nullptr,
                                 nullptr, nullptr);
        ASSERT_TRUE(host);
    }
    void TearDown() override
    {
        if (::IsWindow(host))
            ::DestroyWindow(host);
    }

    fakes::FakeFlashRegistration registration;
    HWND host = nullptr;
};

}  // namespace testing_support
