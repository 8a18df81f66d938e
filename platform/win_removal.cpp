#include "win_removal.h"

#include <windows.h>
#include <winspool.h>

#include <vector>

#include "text.h"
#include "win_services.h"

DeleteResult WinPrinterRemoval::DeletePrinterNamed(const std::string& printer) {
  DeleteResult r;
  r.result = DeletePrinterByName(printer, &r.notFound);
  return r;
}

CallResult WinPrinterRemoval::PrintersUsingDriver(const std::string& driver,
                                                  std::vector<std::string>& printers) {
  printers.clear();
  const DWORD flags = PRINTER_ENUM_LOCAL;
  DWORD needed = 0, count = 0;
  std::vector<BYTE> buffer;
  // Printers may come and go between the two calls: ask again while the
  // buffer turns out too small.
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (EnumPrintersW(flags, nullptr, 2, buffer.empty() ? nullptr : buffer.data(),
                      static_cast<DWORD>(buffer.size()), &needed, &count)) {
      const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
      for (DWORD i = 0; i < count; ++i) {
        if (info[i].pDriverName && WideToUtf8(info[i].pDriverName) == driver && info[i].pPrinterName) {
          printers.push_back(WideToUtf8(info[i].pPrinterName));
        }
      }
      return CallResult::Success();
    }
    const DWORD error = GetLastError();
    if (error != ERROR_INSUFFICIENT_BUFFER) return CallResult::Failure(WideToUtf8(SystemErrorText(error)));
    buffer.resize(needed);
  }
  return CallResult::Failure(WideToUtf8(SystemErrorText(ERROR_INSUFFICIENT_BUFFER)));
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
