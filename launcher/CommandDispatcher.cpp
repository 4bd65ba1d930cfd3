// The movie's commands: close (ask, write the plug-in profile, quit), moveweb (place and show the
// page), the four page addresses (default browser), openweb (shell), weburl (navigate the page and
// bring the launcher on screen, centred) and min.
#include <windows.h>
#include <shellapi.h>

#include <ctime>

#include "launcher/FlashCommands.h"
#include "launcher/PluginProfileWriter.h"
#include "launcher/TavikGameDlg.h"
#include "web/DefaultBrowser.h"

HRESULT CTavikGameDlg::OnFSCommand(CEventString command, CEventString args)
{
    // A command or argument without text reads as empty.
    const char* argText = args.Narrow() ? args.Narrow() : "";
    switch (tavik::MatchFlashCommand(command.Narrow())) {
    case tavik::FlashCommand::Close:
        if (MessageBox(L"确实要退出游戏？", L"提示", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDNO) {
            WritePluginProfile();
            ::PostQuitMessage(0);
        }
        break;
    case tavik::FlashCommand::MoveWeb:
        // Fewer than four fields (or no argument at all): nothing moves, nothing is shown.
        if (auto rc = tavik::MoveWebRect(argText)) {
            m_rcWeb = CRect(rc->left, rc->top, rc->right, rc->bottom);
            LayoutWebWnd();
            m_webWnd.ShowWindow(SW_SHOW);
        }
        break;
    case tavik::FlashCommand::HomepageUrl:
    case tavik::FlashCommand::CoinUrl:
    case tavik::FlashCommand::BbsUrl:
    case tavik::FlashCommand::CustomerUrl: {
        CString url;
        url.Format("%s", argText);
        OpenUrlInDefaultBrowser(url);
        break;
    }
    case tavik::FlashCommand::OpenWeb:
        ::ShellExecuteA(nullptr, "open", argText, nullptr, nullptr, SW_SHOW);
        break;
    case tavik::FlashCommand::WebUrl: {
        std::string url = tavik::WebUrlWithTime(argText, static_cast<int64_t>(std::time(nullptr)));
        m_webWnd.m_browser.Navigate(url.c_str(), nullptr, nullptr, nullptr, nullptr);
        CenterWindow();
        LayoutWebWnd();
        break;
    }
    case tavik::FlashCommand::Min:
        ShowWindow(SW_MINIMIZE);
        break;
    case tavik::FlashCommand::Unknown:
        break;
    }
    return S_OK;
}
