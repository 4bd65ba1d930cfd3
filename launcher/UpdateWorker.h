// The update worker's start record and procedure, shared by the main window and the update dialog.
#pragma once

#include <windows.h>

struct UpdateThreadParam {
    HWND hWndNotify;  // where a worker would send its update notifications
    int nSerial;      // g_nUpdateSerial after counting this start
    int nReserved;    // always 0
};

// Counts worker starts on the GUI thread; the first start carries 1.
extern int g_nUpdateSerial;

// The worker: downloading updates is not part of the launcher, so it returns at once. The
// record is freed right after the start, so a real worker would have to copy it first.
UINT UpdateWorkerProc(LPVOID pParam);

// Starts a worker for hWndNotify with the next serial; the record does not outlive the start.
void StartUpdateWorker(HWND hWndNotify);
