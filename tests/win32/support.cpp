#include "support.h"

#include <winspool.h>

#include <cstddef>
#include <cwctype>
#include <stdexcept>

#include "text.h"

namespace {

// Records with pointers inside need an aligned buffer.
std::vector<std::max_align_t> AlignedBuffer(DWORD bytes) {
  return std::vector<std::max_align_t>((bytes + sizeof(std::max_align_t) - 1) /
                                       sizeof(std::max_align_t));
}

std::wstring Text(const wchar_t* text) { return text ? text : L""; }

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring full = path + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder(const std::wstring& label) {
  static int serial = 0;
  const DWORD needed = GetTempPathW(0, nullptr);
  std::wstring base(needed, L'\0');
  base.resize(GetTempPathW(needed, &base[0]));
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  path_ = base + L"\\ds-测试-" + label + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++serial);
  RemoveTree(path_);
  if (!CreateDirectoryW(path_.c_str(), nullptr)) {
    throw std::runtime_error("cannot create " + WideToUtf8(path_));
  }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void WriteFileText(const std::wstring& path, const std::string& content) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + WideToUtf8(path));
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

std::optional<std::string> ReadFileText(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) {
    content.append(chunk, read);
  }
  CloseHandle(file);
  return content;
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SampleFileContent(const std::wstring& fileName, const std::wstring& arch) {
  return "Placeholder for " + WideToUtf8(fileName) + " (" + WideToUtf8(arch) +
         ") from the DriverSetup sample package; not a working driver file.\r\n";
}

void MakeSamplePackage(const std::wstring& root) {
  const wchar_t* const dataFiles[] = {L"WQ310",  L"WQ320", L"WQ330",  L"WQ340", L"WQ350",
                                      L"WQ350V", L"WQ372", L"WQ374",  L"WQ374R", L"WQK374",
                                      L"WQ3T",   L"WQ3D",  L"WQ3RC"};
  const wchar_t* const shared[] = {L"WQ3T.DLL",   L"uniDRVui.DLL", L"uniDRV.DLL",
                                   L"UNIDRV.HLP", L"UNIRES.DLL",   L"TTFSUB.GPD",
                                   L"STDNAMES.GPD"};
  for (const wchar_t* arch : {L"x86", L"x64"}) {
    const std::wstring folder = root + L"\\" + arch;
    CreateDirectoryW(folder.c_str(), nullptr);
    std::vector<std::wstring> names(std::begin(shared), std::end(shared));
    for (const wchar_t* base : dataFiles) names.push_back(std::wstring(base) + L".GPD");
    for (const std::wstring& name : names) {
      WriteFileText(folder + L"\\" + name, SampleFileContent(name, arch));
    }
  }
}

std::wstring RegistryValue::Text() const {
  std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
  if (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

std::optional<RegistryValue> ReadRegistryValue(HKEY root, const std::wstring& path,
                                               const std::wstring& name) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  RegistryValue value;
  DWORD size = 0;
  LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.bytes.resize(size);
    status = RegQueryValueExW(key, name.c_str(), nullptr, &value.type, value.bytes.data(), &size);
    value.bytes.resize(size);
  }
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

std::vector<std::wstring> RegistryValueNames(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> names;
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return names;
  DWORD longest = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                   nullptr, nullptr, nullptr);
  for (DWORD index = 0;; ++index) {
    std::wstring name(longest + 1, L'\0');
    DWORD length = longest + 1;
    if (RegEnumValueW(key, index, &name[0], &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    name.resize(length);
    names.push_back(name);
  }
  RegCloseKey(key);
  return names;
}

std::vector<std::wstring> RegistrySubkeyNames(HKEY root, const std::wstring& path) {
  std::vector<std::wstring> names;
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return names;
  }
  DWORD longest = 0;
  RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr, nullptr,
                   nullptr, nullptr, nullptr);
  for (DWORD index = 0;; ++index) {
    std::wstring name(longest + 1, L'\0');
    DWORD length = longest + 1;
    if (RegEnumKeyExW(key, index, &name[0], &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    name.resize(length);
    names.push_back(name);
  }
  RegCloseKey(key);
  return names;
}

bool RegistryKeyExists(HKEY root, const std::wstring& path) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

void WriteRegistryText(HKEY root, const std::wstring& path, const std::wstring& name,
                       const std::wstring& data) {
  HKEY key;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    throw std::runtime_error("cannot create key " + WideToUtf8(path));
  }
  RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void DeleteRegistryValue(HKEY root, const std::wstring& path, const std::wstring& name) {
  HKEY key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueW(key, name.c_str());
  RegCloseKey(key);
}

void DeleteRegistryTree(HKEY root, const std::wstring& path) {
  for (const std::wstring& sub : RegistrySubkeyNames(root, path)) {
    DeleteRegistryTree(root, path + L"\\" + sub);
  }
  RegDeleteKeyW(root, path.c_str());
}

std::optional<DriverView> FindDriver(const std::wstring& environment, const std::wstring& name) {
  std::wstring env = environment;
  DWORD needed = 0, count = 0;
  EnumPrinterDriversW(nullptr, &env[0], 3, nullptr, 0, &needed, &count);
  auto buffer = AlignedBuffer(needed);
  if (!EnumPrinterDriversW(nullptr, &env[0], 3, reinterpret_cast<BYTE*>(buffer.data()), needed,
                           &needed, &count)) {
    return std::nullopt;
  }
  const auto* drivers = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    const DRIVER_INFO_3W& d = drivers[i];
    if (Text(d.pName) != name) continue;
    DriverView view;
    view.version = d.cVersion;
    view.name = Text(d.pName);
    view.environment = Text(d.pEnvironment);
    view.driverPath = Text(d.pDriverPath);
    view.dataFile = Text(d.pDataFile);
    view.configFile = Text(d.pConfigFile);
    view.helpFile = Text(d.pHelpFile);
    view.monitorName = Text(d.pMonitorName);
    view.defaultDataType = Text(d.pDefaultDataType);
    for (const wchar_t* entry = d.pDependentFiles; entry && *entry; entry += wcslen(entry) + 1) {
      view.dependentFiles.emplace_back(entry);
    }
    return view;
  }
  return std::nullopt;
}

std::optional<PrinterView> ReadPrinter(const std::wstring& name) {
  std::wstring printerName = name;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(&printerName[0], &printer, nullptr)) return std::nullopt;
  DWORD needed = 0;
  GetPrinterW(printer, 2, nullptr, 0, &needed);
  auto buffer = AlignedBuffer(needed);
  std::optional<PrinterView> view;
  if (GetPrinterW(printer, 2, reinterpret_cast<BYTE*>(buffer.data()), needed, &needed)) {
    const auto* p = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    view = PrinterView{Text(p->pPrinterName), Text(p->pPortName), Text(p->pDriverName),
                       Text(p->pPrintProcessor), Text(p->pDatatype)};
  }
  ClosePrinter(printer);
  return view;
}

int CountLocalPrinters(const std::wstring& name) {
  DWORD needed = 0, count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, nullptr, 0, &needed, &count);
  auto buffer = AlignedBuffer(needed);
  if (!EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 4, reinterpret_cast<BYTE*>(buffer.data()),
                     needed, &needed, &count)) {
    return 0;
  }
  const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
  int matches = 0;
  for (DWORD i = 0; i < count; ++i) {
    if (Text(printers[i].pPrinterName) == name) ++matches;
  }
  return matches;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

std::string SystemText(DWORD code) { return WideToUtf8(SystemErrorText(code)); }
