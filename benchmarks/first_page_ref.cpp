// The least a program does to show a first page: one empty dialog from its
// template, nothing before it.
#include <windows.h>

#include "bench_ids.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return static_cast<int>(
      DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_REF_FIRST_PAGE), nullptr, DialogProc, 0));
}
