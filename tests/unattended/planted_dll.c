/* Stands for a DLL that someone left beside a downloaded setup program under
   a system DLL's name. Loaded, it leaves a mark: C:\planted-<its name>.txt. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved) {
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return TRUE;
    const wchar_t* name = path;
    for (const wchar_t* p = path; *p; ++p) {
      if (*p == L'\\' || *p == L'/') name = p + 1;
    }
    wchar_t mark[MAX_PATH + 32] = L"C:\\planted-";
    lstrcatW(mark, name);
    lstrcatW(mark, L".txt");
    HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  return TRUE;
}

/* The one spooler function the control program imports, so that it starts. */
__declspec(dllexport) BOOL WINAPI EnumPortsW(LPWSTR server, DWORD level, LPBYTE buffer, DWORD size,
                                            LPDWORD needed, LPDWORD returned) {
  (void)server; (void)level; (void)buffer; (void)size;
  *needed = 0;
  *returned = 0;
  return TRUE;
}
