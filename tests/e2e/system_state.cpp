#include "system_state.h"

#include <winspool.h>

#include <algorithm>

namespace e2e {

const wchar_t* const kPortsKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const wchar_t* const kDefaultPrinterKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const wchar_t* const kX64Environment = L"Windows x64";

namespace {

const wchar_t* const kWineKey = L"Software\\Wine";
const wchar_t* const kEnvironments[] = {L"Windows x64", L"Windows NT x86"};

struct RegistryValue {
  std::wstring name;
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

std::optional<RegistryValue> ReadValue(HKEY root, const wchar_t* keyPath, const wchar_t* name) {
  HKEY key;
  if (RegOpenKeyExW(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
  RegistryValue value{name, REG_NONE, {}};
  DWORD size = 0;
  LSTATUS status = RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.data.resize(size);
    status = RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size);
    value.data.resize(size);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

void WriteValue(HKEY root, const wchar_t* keyPath, const RegistryValue& value) {
  HKEY key;
  if (RegCreateKeyExW(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                 static_cast<DWORD>(value.data.size()));
  RegCloseKey(key);
}

void DeleteValue(HKEY root, const wchar_t* keyPath, const std::wstring& name) {
  HKEY key;
  if (RegOpenKeyExW(root, keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, name.c_str());
  RegCloseKey(key);
}

void Restore(HKEY root, const wchar_t* keyPath, const wchar_t* name,
             const std::optional<RegistryValue>& value) {
  if (value) {
    WriteValue(root, keyPath, *value);
  } else {
    DeleteValue(root, keyPath, name);
  }
}

RegistryValue StringValue(const std::wstring& name, const std::wstring& text) {
  RegistryValue value{name, REG_SZ, {}};
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  value.data.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
  return value;
}

std::optional<std::wstring> StringData(const std::optional<RegistryValue>& value) {
  if (!value) return std::nullopt;
  std::wstring text(reinterpret_cast<const wchar_t*>(value->data.data()),
                    value->data.size() / sizeof(wchar_t));
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::vector<RegistryValue> AllValues(HKEY root, const wchar_t* keyPath) {
  std::vector<RegistryValue> values;
  HKEY key;
  if (RegOpenKeyExW(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return values;
  DWORD count = 0, longestName = 0, longestData = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                   &longestName, &longestData, nullptr, nullptr);
  for (DWORD i = 0; i < count; ++i) {
    std::wstring name(longestName + 1, L'\0');
    DWORD nameLength = longestName + 1;
    RegistryValue value;
    value.data.resize(longestData);
    DWORD dataSize = longestData;
    if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &value.type, value.data.data(),
                      &dataSize) != ERROR_SUCCESS) {
      continue;
    }
    name.resize(nameLength);
    value.name = name;
    value.data.resize(dataSize);
    values.push_back(value);
  }
  RegCloseKey(key);
  return values;
}

// The spooler's two-call pattern: ask for the size, then fill a buffer of it.
template <typename Record, typename Call>
std::vector<BYTE> Enumerate(Call call, DWORD& count) {
  DWORD needed = 0;
  count = 0;
  call(nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(std::max<DWORD>(needed, sizeof(Record)));
  if (!call(buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count)) count = 0;
  return buffer;
}

std::wstring Or(const wchar_t* text) { return text ? text : L""; }

std::vector<std::wstring> PrinterNames() {
  DWORD count = 0;
  std::vector<BYTE> buffer = Enumerate<PRINTER_INFO_4W>(
      [](BYTE* b, DWORD size, DWORD* needed, DWORD* n) {
        return EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, b, size, needed, n);
      },
      count);
  std::vector<std::wstring> names;
  const auto* records = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.push_back(Or(records[i].pPrinterName));
  return names;
}

std::vector<std::wstring> DriverNames(const wchar_t* environment) {
  DWORD count = 0;
  std::vector<BYTE> buffer = Enumerate<DRIVER_INFO_1W>(
      [environment](BYTE* b, DWORD size, DWORD* needed, DWORD* n) {
        return EnumPrinterDriversW(nullptr, const_cast<wchar_t*>(environment), 1, b, size, needed,
                                   n);
      },
      count);
  std::vector<std::wstring> names;
  const auto* records = reinterpret_cast<const DRIVER_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) names.push_back(Or(records[i].pName));
  return names;
}

bool Contains(const std::vector<std::wstring>& list, const std::wstring& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

struct Baseline {
  bool captured = false;
  std::vector<RegistryValue> ports;
  std::optional<RegistryValue> device;
  std::optional<RegistryValue> wineVersion;
  std::vector<std::wstring> printers;
  std::vector<std::wstring> drivers[2];
};

Baseline& TheBaseline() {
  static Baseline baseline;
  return baseline;
}

}  // namespace

std::vector<PortRecord> SpoolerPorts() {
  DWORD count = 0;
  std::vector<BYTE> buffer = Enumerate<PORT_INFO_2W>(
      [](BYTE* b, DWORD size, DWORD* needed, DWORD* n) {
        return EnumPortsW(nullptr, 2, b, size, needed, n);
      },
      count);
  std::vector<PortRecord> ports;
  const auto* records = reinterpret_cast<const PORT_INFO_2W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    ports.push_back({Or(records[i].pPortName), Or(records[i].pDescription)});
  }
  return ports;
}

std::vector<std::wstring> SpoolerPortNames() {
  std::vector<std::wstring> names;
  for (const PortRecord& port : SpoolerPorts()) names.push_back(port.name);
  return names;
}

std::vector<std::wstring> SpoolerMonitors() {
  DWORD count = 0;
  std::vector<BYTE> buffer = Enumerate<MONITOR_INFO_1W>(
      [](BYTE* b, DWORD size, DWORD* needed, DWORD* n) {
        return EnumMonitorsW(nullptr, 1, b, size, needed, n);
      },
      count);
  std::vector<std::wstring> names;
  const auto* records = reinterpret_cast<const MONITOR_INFO_1W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    if (records[i].pName) names.push_back(records[i].pName);
  }
  return names;
}

void AddPortValue(const std::wstring& name) {
  WriteValue(HKEY_LOCAL_MACHINE, kPortsKey, StringValue(name, L""));
}

void RemovePortValue(const std::wstring& name) {
  DeleteValue(HKEY_LOCAL_MACHINE, kPortsKey, name);
}

PrinterState FindPrinter(const std::wstring& name) {
  PrinterState state;
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ACCESS_USE};
  if (!OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, &access)) return state;
  state.exists = true;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(std::max<DWORD>(needed, sizeof(PRINTER_INFO_2W)));
  if (GetPrinterW(printer, 2, buffer.data(), static_cast<DWORD>(buffer.size()), &needed)) {
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    state.portName = Or(info->pPortName);
    state.driverName = Or(info->pDriverName);
  }
  ClosePrinter(printer);
  return state;
}

bool DriverInstalled(const std::wstring& name, const wchar_t* environment) {
  return Contains(DriverNames(environment), name);
}

std::optional<std::wstring> DefaultPrinterDevice() {
  return StringData(ReadValue(HKEY_CURRENT_USER, kDefaultPrinterKey, L"Device"));
}

std::optional<std::wstring> PortValueData(const std::wstring& name) {
  return StringData(ReadValue(HKEY_LOCAL_MACHINE, kPortsKey, name.c_str()));
}

void SetDefaultPrinterDevice(const std::optional<std::wstring>& value) {
  Restore(HKEY_CURRENT_USER, kDefaultPrinterKey, L"Device",
          value ? std::optional<RegistryValue>(StringValue(L"Device", *value)) : std::nullopt);
}

void SetReportedWindowsVersion(const std::optional<std::wstring>& version) {
  Restore(HKEY_CURRENT_USER, kWineKey, L"Version",
          version ? std::optional<RegistryValue>(StringValue(L"Version", *version))
                  : std::nullopt);
}

void CaptureBaseline() {
  Baseline& b = TheBaseline();
  if (b.captured) return;
  b.ports = AllValues(HKEY_LOCAL_MACHINE, kPortsKey);
  b.device = ReadValue(HKEY_CURRENT_USER, kDefaultPrinterKey, L"Device");
  b.wineVersion = ReadValue(HKEY_CURRENT_USER, kWineKey, L"Version");
  b.printers = PrinterNames();
  for (int i = 0; i < 2; ++i) b.drivers[i] = DriverNames(kEnvironments[i]);
  b.captured = true;
}

void RestoreBaseline() {
  const Baseline& b = TheBaseline();
  if (!b.captured) return;
  for (const std::wstring& name : PrinterNames()) {
    if (Contains(b.printers, name)) continue;
    HANDLE printer = nullptr;
    PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterW(const_cast<wchar_t*>(name.c_str()), &printer, &access)) {
      DeletePrinter(printer);
      ClosePrinter(printer);
    }
  }
  for (int i = 0; i < 2; ++i) {
    for (const std::wstring& name : DriverNames(kEnvironments[i])) {
      if (Contains(b.drivers[i], name)) continue;
      DeletePrinterDriverW(nullptr, const_cast<wchar_t*>(kEnvironments[i]),
                           const_cast<wchar_t*>(name.c_str()));
    }
  }
  for (const RegistryValue& value : AllValues(HKEY_LOCAL_MACHINE, kPortsKey)) {
    DeleteValue(HKEY_LOCAL_MACHINE, kPortsKey, value.name);
  }
  for (const RegistryValue& value : b.ports) WriteValue(HKEY_LOCAL_MACHINE, kPortsKey, value);
  Restore(HKEY_CURRENT_USER, kDefaultPrinterKey, L"Device", b.device);
  Restore(HKEY_CURRENT_USER, kWineKey, L"Version", b.wineVersion);
}

// --- Folders ----------------------------------------------------------------------

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

// Copies a folder tree, leaving out every file of the given name.
void CopyTreeWithout(const std::wstring& from, const std::wstring& to, const std::wstring& left) {
  CreateDirectoryW(to.c_str(), nullptr);
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTreeWithout(from + L"\\" + name, to + L"\\" + name, left);
    } else if (name != left) {
      CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE);
    }
  } while (FindNextFileW(find, &entry));
  FindClose(find);
}

std::wstring TempFolder(const std::wstring& name) {
  DWORD size = GetTempPathW(0, nullptr);
  std::wstring path(size, L'\0');
  size = GetTempPathW(size, path.data());
  path.resize(size);
  if (!path.empty() && path.back() == L'\\') path.pop_back();
  return path + L"\\" + name;
}

}  // namespace e2e
