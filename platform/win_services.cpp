#include "win_services.h"

#include <winspool.h>

#include <cstddef>
#include <cwchar>

#include "text.h"

namespace {

std::string ErrorText(DWORD code) { return WideToUtf8(SystemErrorText(code)); }

CallResult LastCallFailure() { return CallResult::Failure(ErrorText(GetLastError())); }

// The spooler wants writable texts even where it only reads them; each wide
// copy lives as long as the call that borrows it.
wchar_t* Borrow(std::wstring& text) { return &text[0]; }

// The dependent-files list: each entry is converted alone so that the NULs
// between them, and the one that closes the list, survive.
std::wstring MultiStringToWide(const std::string& list) {
  std::wstring wide;
  size_t start = 0;
  while (start < list.size() && list[start] != '\0') {
    size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    wide += Utf8ToWide(list.substr(start, end - start));
    wide += L'\0';
    start = end + 1;
  }
  if (wide.empty()) wide += L'\0';  // an empty list still has its closing pair
  wide += L'\0';
  return wide;
}

// Spooler records are full of pointers, so their buffer is kept aligned for
// any type rather than being a plain byte array.
class RecordBuffer {
 public:
  void Resize(DWORD bytes) {
    storage_.assign((bytes + sizeof(std::max_align_t) - 1) / sizeof(std::max_align_t),
                    std::max_align_t{});
  }
  BYTE* Bytes() { return storage_.empty() ? nullptr : reinterpret_cast<BYTE*>(storage_.data()); }
  template <class Record>
  const Record* As() const {
    return reinterpret_cast<const Record*>(storage_.data());
  }

 private:
  std::vector<std::max_align_t> storage_;
};

// Records can be added between the call that sizes the buffer and the call
// that fills it; a few fresh tries cover that without looping for ever.
constexpr int kFillAttempts = 5;

// call(buffer, size, &needed, &returned): first without a buffer to learn
// the size, then with a buffer of that size. Returns ERROR_SUCCESS or the
// code of the last failure; returned is the record count on success.
template <class Call>
DWORD FetchRecords(Call call, RecordBuffer& buffer, DWORD& returned) {
  DWORD needed = 0;
  returned = 0;
  if (call(nullptr, 0, &needed, &returned)) {
    returned = 0;  // succeeding without a buffer means there is nothing to read
    return ERROR_SUCCESS;
  }
  DWORD error = GetLastError();
  for (int attempt = 0; attempt < kFillAttempts && error == ERROR_INSUFFICIENT_BUFFER;
       ++attempt) {
    buffer.Resize(needed);
    returned = 0;
    if (call(buffer.Bytes(), needed, &needed, &returned)) return ERROR_SUCCESS;
    error = GetLastError();
  }
  returned = 0;
  return error;
}

std::wstring TextOrEmpty(const wchar_t* text) { return text ? std::wstring(text) : std::wstring(); }

void SetIfGiven(bool* flag, bool value) {
  if (flag) *flag = value;
}

void SetIfGiven(std::wstring* text, const std::wstring& value) {
  if (text) *text = value;
}

}  // namespace

// ---------------------------------------------------------------------------
// Spooler

CallResult WinSpooler::QueryDriverDirectory(const std::string& environment,
                                            std::string& directory) {
  std::wstring wideEnvironment = Utf8ToWide(environment);
  RecordBuffer buffer;
  DWORD unused = 0;
  DWORD bufferBytes = 0;
  const DWORD error = FetchRecords(
      [&](BYTE* data, DWORD size, DWORD* needed, DWORD*) {
        bufferBytes = size;
        return GetPrinterDriverDirectoryW(nullptr, Borrow(wideEnvironment), 1, data, size,
                                          needed);
      },
      buffer, unused);
  if (error != ERROR_SUCCESS) return CallResult::Failure(ErrorText(error));
  const wchar_t* path = buffer.As<wchar_t>();
  directory = path ? WideToUtf8(std::wstring(path, wcsnlen(path, bufferBytes / sizeof(wchar_t))))
                   : std::string();
  return CallResult::Success();
}

CallResult WinSpooler::RegisterDriver(const DriverRecord& record) {
  std::wstring name = Utf8ToWide(record.name);
  std::wstring environment = Utf8ToWide(record.environment);
  std::wstring driverPath = Utf8ToWide(record.driverPath);
  std::wstring dataFile = Utf8ToWide(record.dataFile);
  std::wstring configFile = Utf8ToWide(record.configFile);
  std::wstring helpFile = Utf8ToWide(record.helpFile);
  std::wstring dependentFiles = MultiStringToWide(record.dependentFiles);
  std::wstring monitorName = Utf8ToWide(record.monitorName);
  std::wstring defaultDataType = Utf8ToWide(record.defaultDataType);

  DRIVER_INFO_3W info{};
  info.cVersion = record.version;
  info.pName = Borrow(name);
  info.pEnvironment = Borrow(environment);
  info.pDriverPath = Borrow(driverPath);
  info.pDataFile = Borrow(dataFile);
  info.pConfigFile = Borrow(configFile);
  info.pHelpFile = Borrow(helpFile);
  info.pDependentFiles = Borrow(dependentFiles);
  info.pMonitorName = Borrow(monitorName);  // an empty text, never null
  info.pDefaultDataType = Borrow(defaultDataType);
  if (!AddPrinterDriverW(nullptr, 3, reinterpret_cast<BYTE*>(&info))) return LastCallFailure();
  return CallResult::Success();
}

AddPrinterResult WinSpooler::AddPrinterOnPort(const PrinterRecord& record) {
  std::wstring printerName = Utf8ToWide(record.printerName);
  std::wstring portName = Utf8ToWide(record.portName);
  std::wstring driverName = Utf8ToWide(record.driverName);
  std::wstring printProcessor = Utf8ToWide(record.printProcessor);
  std::wstring dataType = Utf8ToWide(record.dataType);

  PRINTER_INFO_2W info{};
  info.pPrinterName = Borrow(printerName);
  info.pPortName = Borrow(portName);
  info.pDriverName = Borrow(driverName);
  info.pPrintProcessor = Borrow(printProcessor);
  info.pDatatype = Borrow(dataType);

  AddPrinterResult result;
  HANDLE printer = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (printer == nullptr) {
    const DWORD error = GetLastError();
    result.result = CallResult::Failure(ErrorText(error));
    result.alreadyExists = error == ERROR_PRINTER_ALREADY_EXISTS;
    return result;
  }
  result.handle = reinterpret_cast<PrinterHandle>(printer);
  return result;
}

CallResult WinSpooler::ClosePrinterHandle(PrinterHandle handle) {
  if (!ClosePrinter(reinterpret_cast<HANDLE>(handle))) return LastCallFailure();
  return CallResult::Success();
}

// ---------------------------------------------------------------------------
// File system

std::string WinFileSystem::CurrentDirectory() {
  // The directory can change between the call that sizes and the one that
  // fills; a grown one is simply asked for again.
  for (int attempt = 0; attempt < kFillAttempts; ++attempt) {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return {};
    std::wstring directory(needed, L'\0');
    const DWORD length = GetCurrentDirectoryW(needed, &directory[0]);
    if (length == 0) return {};
    if (length < needed) {
      directory.resize(length);
      return WideToUtf8(directory);
    }
  }
  return {};
}

std::string WinFileSystem::ProgramDirectory() {
  // GetModuleFileNameW cannot report the length it needs; a result that
  // fills the whole buffer may have been cut, so the buffer grows until
  // the name fits with room to spare.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return {};
  std::wstring folder = path.substr(0, separator);
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';  // "C:" alone is not the root
  return WideToUtf8(folder);
}

bool WinFileSystem::DirectoryExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

CallResult WinFileSystem::CopyFileOver(const std::string& from, const std::string& to) {
  if (!CopyFileW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), FALSE)) {
    return LastCallFailure();
  }
  return CallResult::Success();
}

// ---------------------------------------------------------------------------
// Registry

RegistryWriteResult WinRegistry::SetString(RegistryRoot root, const std::string& keyPath,
                                           const std::string& valueName, const std::string& data,
                                           bool createKey) {
  const HKEY rootKey = root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
  const std::wstring path = Utf8ToWide(keyPath);
  HKEY key = nullptr;
  const LONG opened =
      createKey ? RegCreateKeyExW(rootKey, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE, nullptr, &key, nullptr)
                : RegOpenKeyExW(rootKey, path.c_str(), 0, KEY_SET_VALUE, &key);
  if (opened != ERROR_SUCCESS) {
    return {RegistryWriteStatus::KeyNotOpened, ErrorText(static_cast<DWORD>(opened))};
  }
  const std::wstring name = Utf8ToWide(valueName);
  const std::wstring text = Utf8ToWide(data);
  const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));  // with its NUL
  const LONG set = RegSetValueExW(key, name.c_str(), 0, REG_SZ,
                                  reinterpret_cast<const BYTE*>(text.c_str()), bytes);
  RegCloseKey(key);
  if (set != ERROR_SUCCESS) {
    return {RegistryWriteStatus::ValueNotSet, ErrorText(static_cast<DWORD>(set))};
  }
  return {};
}

// ---------------------------------------------------------------------------
// Version

std::optional<VersionNumbers> WinVersionQuery::Query(uint32_t recordSize) {
  OSVERSIONINFOEXA info;
  ZeroMemory(&info, sizeof info);
  // A size above the record's would let the system write past it.
  if (recordSize > sizeof info) return std::nullopt;
  info.dwOSVersionInfoSize = recordSize;
  if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return std::nullopt;
  return VersionNumbers{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion};
}

// ---------------------------------------------------------------------------
// For the pages

bool EnumeratePorts(std::vector<PortListing>& out, std::wstring* error) {
  out.clear();
  RecordBuffer buffer;
  DWORD count = 0;
  const DWORD status = FetchRecords(
      [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPortsW(nullptr, 2, data, size, needed, returned);
      },
      buffer, count);
  if (status != ERROR_SUCCESS) {
    SetIfGiven(error, SystemErrorText(status));
    return false;
  }
  const PORT_INFO_2W* ports = buffer.As<PORT_INFO_2W>();
  out.reserve(count);
  for (DWORD i = 0; i < count; ++i) {
    out.push_back({TextOrEmpty(ports[i].pPortName), TextOrEmpty(ports[i].pDescription)});
  }
  return true;
}

CallResult PrintersUsingDriver(const std::string& driver, std::vector<std::string>& printers) {
  printers.clear();
  RecordBuffer buffer;
  DWORD count = 0;
  const DWORD status = FetchRecords(
      [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, returned);
      },
      buffer, count);
  if (status != ERROR_SUCCESS) return CallResult::Failure(ErrorText(status));
  const PRINTER_INFO_2W* info = buffer.As<PRINTER_INFO_2W>();
  for (DWORD i = 0; i < count; ++i) {
    if (info[i].pDriverName && info[i].pPrinterName && WideToUtf8(info[i].pDriverName) == driver) {
      printers.push_back(WideToUtf8(info[i].pPrinterName));
    }
  }
  return CallResult::Success();
}

bool EnumerateMonitors(std::vector<std::wstring>& names, std::wstring* error) {
  names.clear();
  RecordBuffer buffer;
  DWORD count = 0;
  const DWORD status = FetchRecords(
      [](BYTE* data, DWORD size, DWORD* needed, DWORD* returned) {
        return EnumMonitorsW(nullptr, 1, data, size, needed, returned);
      },
      buffer, count);
  if (status != ERROR_SUCCESS) {
    SetIfGiven(error, SystemErrorText(status));
    return false;
  }
  const MONITOR_INFO_1W* monitors = buffer.As<MONITOR_INFO_1W>();
  for (DWORD i = 0; i < count; ++i) {
    if (monitors[i].pName != nullptr) names.emplace_back(monitors[i].pName);
  }
  return true;
}

void RequestAddPort(HWND owner, const std::wstring& monitor) {
  std::wstring name = monitor;
  AddPortW(nullptr, owner, Borrow(name));
}

void RequestConfigurePort(HWND owner, const std::wstring& port) {
  std::wstring name = port;
  ConfigurePortW(nullptr, owner, Borrow(name));
}

bool IsRunningUnderWow64() {
  // Looked up by name: systems before XP SP2 do not have it.
  using IsWow64ProcessCall = BOOL(WINAPI*)(HANDLE, PBOOL);
  const HMODULE kernel = GetModuleHandleW(L"kernel32");
  if (kernel == nullptr) return false;
  const FARPROC found = GetProcAddress(kernel, "IsWow64Process");
  if (found == nullptr) return false;
  const auto isWow64Process =
      reinterpret_cast<IsWow64ProcessCall>(reinterpret_cast<void (*)()>(found));
  BOOL wow64 = FALSE;
  isWow64Process(GetCurrentProcess(), &wow64);
  return wow64 == TRUE;
}

void DebugLine(const std::wstring& text) { OutputDebugStringW((text + L"\n").c_str()); }

CallResult DeletePrinterByName(const std::string& name, bool* notFound) {
  SetIfGiven(notFound, false);
  std::wstring wideName = Utf8ToWide(name);
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!OpenPrinterW(Borrow(wideName), &printer, &access)) {
    const DWORD error = GetLastError();
    SetIfGiven(notFound, error == ERROR_INVALID_PRINTER_NAME);
    return CallResult::Failure(ErrorText(error));
  }
  const BOOL deleted = DeletePrinter(printer);
  const DWORD error = deleted ? ERROR_SUCCESS : GetLastError();
  ClosePrinter(printer);
  if (!deleted) return CallResult::Failure(ErrorText(error));
  return CallResult::Success();
}

CallResult DeleteDriverByName(const std::string& name, const std::string& environment,
                              bool* notFound, bool* inUse) {
  SetIfGiven(notFound, false);
  SetIfGiven(inUse, false);
  std::wstring wideName = Utf8ToWide(name);
  std::wstring wideEnvironment = Utf8ToWide(environment);

  SetLastError(ERROR_SUCCESS);
  if (DeletePrinterDriverExW(nullptr, Borrow(wideEnvironment), Borrow(wideName),
                             DPD_DELETE_UNUSED_FILES, 0)) {
    return CallResult::Success();
  }
  DWORD error = GetLastError();
  // Wine refuses every delete flag with ERROR_INVALID_PARAMETER; the plain
  // call still removes the registration, only the files stay behind.
  if (error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
      error == ERROR_CALL_NOT_IMPLEMENTED) {
    SetLastError(ERROR_SUCCESS);
    if (DeletePrinterDriverW(nullptr, Borrow(wideEnvironment), Borrow(wideName))) {
      return CallResult::Success();
    }
    error = GetLastError();
    // Wine fails without a code when no driver of that name is registered.
    if (error == ERROR_SUCCESS) error = ERROR_UNKNOWN_PRINTER_DRIVER;
  }
  SetIfGiven(notFound, error == ERROR_UNKNOWN_PRINTER_DRIVER);
  SetIfGiven(inUse, error == ERROR_PRINTER_DRIVER_IN_USE);
  return CallResult::Failure(ErrorText(error));
}
