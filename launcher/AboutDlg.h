// The about box (template 100), opened from the main window's about command.
#pragma once

#include "framework/Afx.h"
#include "resource.h"

class CAboutDlg : public CDialogEx {
public:
    CAboutDlg() : CDialogEx(IDD_ABOUTBOX) {}
};
