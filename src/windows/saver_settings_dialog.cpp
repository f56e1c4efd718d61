// The results of the calls on the dialog's own controls are ignored on purpose: the controls
// come from the resource and are there for as long as the dialog is.
#include "windows/saver_settings_dialog.h"

#include <commctrl.h>

#include <optional>

#include "windows/saver_dialog_ids.h"
#include "windows/saver_settings.h"

namespace {

constexpr char kTitle[] = "Chromaflux";
constexpr char kPeriodProblem[] = "The seconds with each model are a number from 5 to 300.";
constexpr char kModelsProblem[] = "Choose one model at least.";
constexpr char kNotStored[] = "The settings could not be stored.";
// The entries of the list of who draws, in RendererChoice's order.
constexpr const char* kRendererNames[] = {"Automatic", "The graphics processor (OpenGL)",
                                          "The processor (software)"};

int ModelBox(std::int32_t model) {
  return IDC_FIRST_MODEL + model;
}

void ShowSettings(HWND dialog, const SaverSettings& saver) {
  const RunSettings& settings = saver.run;
  SendDlgItemMessageA(dialog, IDC_PERIOD_UPDOWN, UDM_SETRANGE32, kShortestPeriodSeconds,
                      kLongestPeriodSeconds);
  SendDlgItemMessageA(dialog, IDC_PERIOD_UPDOWN, UDM_SETPOS32, 0, settings.periodSeconds);
  SetDlgItemInt(dialog, IDC_PERIOD, static_cast<UINT>(settings.periodSeconds), FALSE);
  for (std::int32_t model = 0; model < kModelCount; ++model) {
    const bool chosen = (settings.models >> model & 1u) != 0;
    CheckDlgButton(dialog, ModelBox(model), chosen ? BST_CHECKED : BST_UNCHECKED);
  }
  CheckDlgButton(dialog, IDC_CLASSIC, settings.classic ? BST_CHECKED : BST_UNCHECKED);
  for (const char* name : kRendererNames) {
    SendDlgItemMessageA(dialog, IDC_RENDERER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  SendDlgItemMessageA(dialog, IDC_RENDERER, CB_SETCURSEL, static_cast<WPARAM>(saver.renderer), 0);
}

// What the dialog shows, or nothing after a message that says what to change, with the focus on
// the control to change.
std::optional<SaverSettings> ChosenSettings(HWND dialog) {
  SaverSettings saver;
  RunSettings& settings = saver.run;
  BOOL read = FALSE;
  const UINT period = GetDlgItemInt(dialog, IDC_PERIOD, &read, FALSE);
  if (read == FALSE || !IsPeriodInRange(period)) {
    MessageBoxA(dialog, kPeriodProblem, kTitle, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(dialog, IDC_PERIOD));
    return std::nullopt;
  }
  settings.periodSeconds = static_cast<std::int32_t>(period);
  settings.models = 0;
  for (std::int32_t model = 0; model < kModelCount; ++model) {
    if (IsDlgButtonChecked(dialog, ModelBox(model)) == BST_CHECKED) {
      settings.models = static_cast<ModelSet>(settings.models | 1u << model);
    }
  }
  if (!IsModelSet(settings.models)) {
    MessageBoxA(dialog, kModelsProblem, kTitle, MB_OK | MB_ICONEXCLAMATION);
    SetFocus(GetDlgItem(dialog, ModelBox(0)));
    return std::nullopt;
  }
  settings.classic = IsDlgButtonChecked(dialog, IDC_CLASSIC) == BST_CHECKED;
  const LRESULT renderer = SendDlgItemMessageA(dialog, IDC_RENDERER, CB_GETCURSEL, 0, 0);
  saver.renderer =
      renderer == CB_ERR ? RendererChoice::Auto : static_cast<RendererChoice>(renderer);
  return saver;
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(dialog, LoadSaverSettings());
      return TRUE;  // the focus on the first control, the period
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          if (const std::optional<SaverSettings> chosen = ChosenSettings(dialog)) {
            if (!SaveSaverSettings(*chosen)) {
              MessageBoxA(dialog, kNotStored, kTitle, MB_OK | MB_ICONERROR);
            }
            EndDialog(dialog, IDOK);
          }
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, IDCANCEL);
          return TRUE;
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void ShowSettingsDialog(HINSTANCE instance, HWND owner) {
  const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  if (IsWindow(owner) == FALSE) {
    owner = GetForegroundWindow();
  }
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SAVER_SETTINGS), owner, SettingsDialogProc, 0);
}
