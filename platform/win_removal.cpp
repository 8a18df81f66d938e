#include "win_removal.h"

#include <windows.h>

#include "text.h"
#include "win_services.h"

DeleteResult WinPrinterRemoval::DeletePrinterNamed(const std::string& printer) {
  DeleteResult r;
  r.result = DeletePrinterByName(printer, &r.notFound);
  return r;
}

CallResult WinPrinterRemoval::PrintersUsingDriver(const std::string& driver,
                                                  std::vector<std::string>& printers) {
  return ::PrintersUsingDriver(driver, printers);
}

DeleteResult WinPrinterRemoval::DeleteDriverNamed(const std::string& driver,
                                                  const std::string& environment) {
  DeleteResult r;
  r.result = DeleteDriverByName(driver, environment, &r.notFound, nullptr);
  return r;
}

CallResult AppendToFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileW(Utf8ToWide(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return CallResult::Failure(WideToUtf8(SystemErrorText(GetLastError())));
  DWORD written = 0;
  const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
  CloseHandle(file);
  if (!ok || written != text.size()) return CallResult::Failure(WideToUtf8(SystemErrorText(error)));
  return CallResult::Success();
}

std::string LocalTimestamp() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  auto two = [](WORD n) { return std::string(n < 10 ? "0" : "") + std::to_string(n); };
  return std::to_string(t.wYear) + "-" + two(t.wMonth) + "-" + two(t.wDay) + " " + two(t.wHour) +
         ":" + two(t.wMinute) + ":" + two(t.wSecond);
}
