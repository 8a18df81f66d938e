// Helpers for tests that run against the real spooler, file system and
// registry of a throwaway Wine prefix.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// A folder under the temporary directory, removed with its contents when the
// object goes. The name carries non-ASCII characters on purpose: every path
// the services handle must pass through the wide calls unchanged.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& label);
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

void WriteFileText(const std::wstring& path, const std::string& content);
std::optional<std::string> ReadFileText(const std::wstring& path);
bool IsDirectory(const std::wstring& path);

// The sample package: "x86" and "x64" under root, each with the plug-in,
// every model's data file and the six shared files.
void MakeSamplePackage(const std::wstring& root);
// The placeholder text a sample file holds.
std::string SampleFileContent(const std::wstring& fileName, const std::wstring& arch);

struct RegistryValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
  // The data as text, without its closing NUL.
  std::wstring Text() const;
};

std::optional<RegistryValue> ReadRegistryValue(HKEY root, const std::wstring& path,
                                               const std::wstring& name);
// Names in the order the registry enumerates them.
std::vector<std::wstring> RegistryValueNames(HKEY root, const std::wstring& path);
std::vector<std::wstring> RegistrySubkeyNames(HKEY root, const std::wstring& path);
bool RegistryKeyExists(HKEY root, const std::wstring& path);
void WriteRegistryText(HKEY root, const std::wstring& path, const std::wstring& name,
                       const std::wstring& data);
void DeleteRegistryValue(HKEY root, const std::wstring& path, const std::wstring& name);
void DeleteRegistryTree(HKEY root, const std::wstring& path);

// What the spooler reports about a driver and a printer.
struct DriverView {
  DWORD version = 0;
  std::wstring name, environment, driverPath, dataFile, configFile, helpFile, monitorName,
      defaultDataType;
  std::vector<std::wstring> dependentFiles;
};
std::optional<DriverView> FindDriver(const std::wstring& environment, const std::wstring& name);

struct PrinterView {
  std::wstring name, port, driver, printProcessor, dataType;
};
std::optional<PrinterView> ReadPrinter(const std::wstring& name);
int CountLocalPrinters(const std::wstring& name);

std::wstring Lower(std::wstring text);

// The failure text the services give for a system error code, in UTF-8.
std::string SystemText(DWORD code);
