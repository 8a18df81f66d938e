// The system services of the install, and the few spooler calls the pages
// make themselves, over the Windows wide calls. Texts cross as UTF-8 on the
// core's side and as UTF-16 on the pages' side.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "os_version.h"
#include "services.h"

class WinSpooler : public ISpooler {
 public:
  CallResult QueryDriverDirectory(const std::string& environment,
                                  std::string& directory) override;
  CallResult RegisterDriver(const DriverRecord& record) override;
  AddPrinterResult AddPrinterOnPort(const PrinterRecord& record) override;
  CallResult ClosePrinterHandle(PrinterHandle handle) override;
};

class WinFileSystem : public IFileSystem {
 public:
  std::string CurrentDirectory() override;
  std::string ProgramDirectory() override;
  bool DirectoryExists(const std::string& path) override;
  CallResult CopyFileOver(const std::string& from, const std::string& to) override;
};

class WinRegistry : public IRegistry {
 public:
  RegistryWriteResult SetString(RegistryRoot root, const std::string& keyPath,
                                const std::string& valueName, const std::string& data,
                                bool createKey) override;
};

class WinVersionQuery : public IVersionQuery {
 public:
  std::optional<VersionNumbers> Query(uint32_t recordSize) override;
};

// One row of the port list: a port as the spooler names and describes it.
struct PortListing {
  std::wstring name;
  std::wstring description;
};

// The spooler's ports in the order it gives them. On failure returns false
// and, when error is given, the system's text.
bool EnumeratePorts(std::vector<PortListing>& out, std::wstring* error);

// The names of the installed port monitors in the spooler's order; monitors
// without a name are left out.
bool EnumerateMonitors(std::vector<std::wstring>& names, std::wstring* error);

// Hand the request to the monitor or port, which shows its own dialog. The
// outcome is the monitor's business: nothing is reported.
void RequestAddPort(HWND owner, const std::wstring& monitor);
void RequestConfigurePort(HWND owner, const std::wstring& port);

// Whether this (32-bit) process runs on 64-bit Windows; false where the
// system has no way to tell.
bool IsRunningUnderWow64();

// One line of debugger output.
void DebugLine(const std::wstring& text);

// For unattended removal. notFound (and inUse) say why a failure happened
// when the caller wants to treat that case as done.
CallResult DeletePrinterByName(const std::string& name, bool* notFound);
// The local printers that use the driver.
CallResult PrintersUsingDriver(const std::string& driver, std::vector<std::string>& printers);
CallResult DeleteDriverByName(const std::string& name, const std::string& environment,
                              bool* notFound, bool* inUse);
