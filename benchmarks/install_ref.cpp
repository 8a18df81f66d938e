// The install's reference: a button that makes the system calls of one
// install in a row, the same eight file copies, driver and printer records
// and default-printer value, and nothing else, then closes its dialog as the
// program closes its page.
#include <windows.h>

#include <winspool.h>

#include <string>
#include <vector>

#include "bench_ids.h"

namespace {

const wchar_t* const kFiles[] = {L"WQ3T.DLL",   L"WQ350V.GPD", L"uniDRVui.DLL", L"uniDRV.DLL",
                                 L"UNIDRV.HLP", L"UNIRES.DLL", L"TTFSUB.GPD",   L"STDNAMES.GPD"};

std::wstring CurrentDirectory() {
  const DWORD needed = GetCurrentDirectoryW(0, nullptr);
  std::wstring directory(needed, L'\0');
  directory.resize(GetCurrentDirectoryW(needed, &directory[0]));
  return directory;
}

std::wstring DriverDirectory() {
  wchar_t environment[] = L"Windows x64";
  DWORD needed = 0;
  GetPrinterDriverDirectoryW(nullptr, environment, 1, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed + sizeof(wchar_t));
  if (!GetPrinterDriverDirectoryW(nullptr, environment, 1, buffer.data(), needed, &needed))
    return {};
  return reinterpret_cast<const wchar_t*>(buffer.data());
}

void Install(HWND owner) {
  const std::wstring source = CurrentDirectory() + L"\\x64\\";
  const std::wstring target = DriverDirectory() + L"\\";
  for (const wchar_t* file : kFiles)
    CopyFileW((source + file).c_str(), (target + file).c_str(), FALSE);

  std::wstring name = L"WQ-350V Series";
  std::wstring environment = L"Windows x64";
  std::wstring driverPath = L"\\uniDRV.DLL";
  std::wstring dataFile = L"\\WQ350V.GPD";
  std::wstring configFile = L"\\uniDRVui.DLL";
  std::wstring helpFile = L"\\uniDRV.HLP";
  static const wchar_t kDependentFiles[] =
      L"\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0WQ3T.DLL\0";
  std::wstring dependentFiles(kDependentFiles, sizeof kDependentFiles / sizeof(wchar_t));
  std::wstring monitor;
  std::wstring raw = L"RAW";
  DRIVER_INFO_3W driver{};
  driver.cVersion = 2;
  driver.pName = &name[0];
  driver.pEnvironment = &environment[0];
  driver.pDriverPath = &driverPath[0];
  driver.pDataFile = &dataFile[0];
  driver.pConfigFile = &configFile[0];
  driver.pHelpFile = &helpFile[0];
  driver.pDependentFiles = &dependentFiles[0];
  driver.pMonitorName = &monitor[0];
  driver.pDefaultDataType = &raw[0];
  AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&driver));

  std::wstring port = L"LPT1:";
  std::wstring processor = L"WinPrint";
  PRINTER_INFO_2W printer{};
  printer.pPrinterName = &name[0];
  printer.pPortName = &port[0];
  printer.pDriverName = &name[0];
  printer.pPrintProcessor = &processor[0];
  printer.pDatatype = &raw[0];
  if (HANDLE handle = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer)))
    ClosePrinter(handle);

  HKEY key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    const std::wstring device = name + L",winspool," + port;
    RegSetValueExW(key, L"Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device.c_str()),
                   static_cast<DWORD>((device.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  // The sequence is over: the page closes, as the program's does.
  EndDialog(owner, IDOK);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_REF_INSTALL:
      Install(dialog);
      return TRUE;
    case IDOK:
    case IDCANCEL:
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return static_cast<int>(
      DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_REF_INSTALL), nullptr, DialogProc, 0));
}
