// The machine-wide state that an install changes or that shapes what the
// program shows: the spooler's ports, monitors, drivers and printers, the
// "Ports" and "Device" registry values and the Windows version Wine reports.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

extern const wchar_t* const kPortsKey;          // under HKEY_LOCAL_MACHINE
extern const wchar_t* const kDefaultPrinterKey;  // under HKEY_CURRENT_USER
extern const wchar_t* const kX64Environment;

struct PortRecord {
  std::wstring name;
  std::wstring description;
};

// What the spooler reports to any program right now.
std::vector<PortRecord> SpoolerPorts();
std::vector<std::wstring> SpoolerPortNames();
std::vector<std::wstring> SpoolerMonitors();

// The spooler's local ports are the values of the "Ports" key.
void AddPortValue(const std::wstring& name);
void RemovePortValue(const std::wstring& name);
// The data of a "Ports" value: a serial port's line settings.
std::optional<std::wstring> PortValueData(const std::wstring& name);

struct PrinterState {
  bool exists = false;
  std::wstring portName;
  std::wstring driverName;
};
PrinterState FindPrinter(const std::wstring& name);
bool DriverInstalled(const std::wstring& name, const wchar_t* environment = kX64Environment);

// The current user's default printer, "name,winspool,port"; absent: nullopt.
std::optional<std::wstring> DefaultPrinterDevice();
void SetDefaultPrinterDevice(const std::optional<std::wstring>& value);

// The version Wine reports to programs started from now on: "win10",
// "winxp64", ...; nullopt: Wine's own default.
void SetReportedWindowsVersion(const std::optional<std::wstring>& version);

// Everything above as it was when the test program started, so that each
// test can put the machine back and stand alone.
void CaptureBaseline();
void RestoreBaseline();

// Folders for packages a test shapes itself.
std::wstring TempFolder(const std::wstring& name);
// Copies a folder tree, leaving out every file of the given name (none when empty).
void CopyTreeWithout(const std::wstring& from, const std::wstring& to, const std::wstring& left);
void RemoveTree(const std::wstring& path);

}  // namespace e2e
