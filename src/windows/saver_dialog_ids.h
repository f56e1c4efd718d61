// The identifiers of the settings dialog's resource and its controls, shared by
// res/chromaflux_scr.rc and saver_settings_dialog.cpp. Macros, because the resource compiler reads
// nothing of C++ but the preprocessor's definitions.
#pragma once

#define IDD_SAVER_SETTINGS 100
#define IDC_PERIOD 1001
#define IDC_PERIOD_UPDOWN 1002
#define IDC_CLASSIC 1003
// The drop-down list of who draws: its entries in RendererChoice's order (saver_settings.h).
#define IDC_RENDERER 1004
// The check box of model m is IDC_FIRST_MODEL + m, m = 0 ... 13.
#define IDC_FIRST_MODEL 1100
