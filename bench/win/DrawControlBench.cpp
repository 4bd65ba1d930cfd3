// Frames per second of one whole layered DrawControl at 1000 x 695 under the real GDI: two
// draws of the fake control's pattern, the alpha pass and UpdateLayeredWindow.
#include <windows.h>

#include <cstdio>

#include "app/LauncherSettings.h"
#include "fakes/FakeFlash.h"
#include "flashhost/FlashDlgBase.h"

int main()
{
    ::OleInitialize(nullptr);
    {
        fakes::FakeFlashRegistration registration;
        g_nWindowWidth = 1000;
        g_nWindowHeight = 695;
        HWND host = ::CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        CFlashDlgBase site;
        if (!site.CreateControl(host, CLSID_ShockwaveFlash, WS_EX_LAYERED, WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX)) {
            std::printf("could not create the control\n");
            return 1;
        }
        ::SetWindowPos(host, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        fakes::RequestRedraw();  // buffers for the new position

        LARGE_INTEGER freq, start, end;
        ::QueryPerformanceFrequency(&freq);
        const int frames = 200;
        ::QueryPerformanceCounter(&start);
        for (int i = 0; i < frames; ++i)
            fakes::RequestRedraw();
        ::QueryPerformanceCounter(&end);
        double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
        std::printf("layered DrawControl 1000x695: %.1f frames per second (%.2f ms a frame)\n", frames / seconds,
                    1000.0 * seconds / frames);
        ::DestroyWindow(host);
    }
    ::OleUninitialize();
    return 0;
}
