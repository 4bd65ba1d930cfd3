// Resource identifiers of TavikGame.rc.
#pragma once

#define IDD_ABOUTBOX          100
#define IDD_TAVIKGAME_DIALOG  102
#define IDR_MAINFRAME         128
#define IDD_UPDATE_DIALOG     130
#define IDD_WEB_WND           131
#define IDD_WEBGAME_WND       133
#define IDC_WEB_BROWSER       1000
#define IDC_UPDATE_PROGRESS   1001
#define IDC_GAME_BROWSER      1002
#define IDM_ABOUTBOX          0x0010

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
