// The application object and the launcher's process-wide settings.
#pragma once

#include "app/LauncherSettings.h"
#include "framework/Afx.h"

class CTavikGameApp : public CWinApp {
public:
    CTavikGameApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()

private:
    void RunLauncher();
};

extern CTavikGameApp theApp;
