#include "installer/win32/faulty_shell_notice.h"

#include "installer/win32/resource.h"

namespace vt {

namespace {

INT_PTR CALLBACK FaultyShellProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

void ShowFaultyShellNotice(HINSTANCE instance, HWND owner) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_FAULTY_SHELL), owner, FaultyShellProcedure, 0);
}

}  // namespace vt
