// Entry point of the Windows test programs: the GUI thread is an OLE single-threaded apartment,
// as in the launcher.
#include <gtest/gtest.h>
#include <ole2.h>

#include "framework/WinApp.h"

// The test program's application object, as the launcher has its own.
static CWinApp testApp("TavikGameTests");

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::OleInitialize(nullptr);
    // As the launcher does at start: dialog templates may hold ActiveX controls.
    AfxEnableControlContainer();
    int result = RUN_ALL_TESTS();
    ::OleUninitialize();
    return result;
}
