// The update worker start shared by the main window and the update dialog.
#include "launcher/UpdateWorker.h"

#include "framework/WinApp.h"

int g_nUpdateSerial = 0;

UINT UpdateWorkerProc(LPVOID)
{
    return 0;
}

void StartUpdateWorker(HWND hWndNotify)
{
    auto* pParam = new UpdateThreadParam{};
    pParam->hWndNotify = hWndNotify;
    pParam->nSerial = ++g_nUpdateSerial;
    AfxBeginThread(&UpdateWorkerProc, pParam);
    delete pParam;
}
