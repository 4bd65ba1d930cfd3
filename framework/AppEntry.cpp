// The program's entry point: hands the process to the application object.
#include <windows.h>

#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return AfxWinMain(hInstance);
}
