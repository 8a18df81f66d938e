// The install: stage the driver files, register the driver, create the
// printer, write the default printer and serial settings, report progress.
#pragma once

#include <string>
#include <vector>

#include "services.h"

struct ArchProfile {
  const char* sourceFolder;     // "x86" or "x64"
  const char* environmentName;  // "Windows NT x86" or "Windows x64"
};

extern const ArchProfile kX86Profile;
extern const ArchProfile kX64Profile;

// A 64-bit process runs on 64-bit Windows by definition; a 32-bit one asks
// whether it runs under WOW64.
const ArchProfile& ChooseProfile(bool is64BitProcess, bool runsUnderWow64);

struct SerialSelection {
  int baudRate = 0;
  int parity = 0;
  int dataBits = 0;
  int stopBits = 0;
  int flowControl = 0;
};

// The user's choices, read at the moment the install needs each of them
// (the wizard reads its live controls; the command line gives fixed values).
class IInstallChoices {
 public:
  virtual ~IInstallChoices() = default;
  virtual int ModelRow() = 0;
  virtual int PortListIndex() = 0;
  virtual bool SetAsDefaultPrinter() = 0;
  virtual SerialSelection SerialChoices() = 0;
};

// What the user sees while the install runs.
class IInstallFeedback {
 public:
  virtual ~IInstallFeedback() = default;
  virtual void SetProgress(int position) = 0;
  // Shown at the registry step that failed; returns when the user closed it.
  virtual void ShowRegistryError(const std::string& message) = 0;
  virtual void Pause(int milliseconds) = 0;
};

struct InstallServices {
  ISpooler& spooler;
  IFileSystem& files;
  IRegistry& registry;
  IInstallChoices& choices;
  IInstallFeedback& feedback;
};

// One line per step that acted, in the order run.
struct StepOutcome {
  std::string step;    // what was done, e.g. "Copy C:\...\x64\WQ3T.DLL to ..."
  bool ok = true;
  std::string detail;  // the cause when !ok; a note such as "already exists" otherwise
};

struct InstallReport {
  std::vector<StepOutcome> steps;
  bool Succeeded() const;
  // One message naming each failed step and its cause.
  std::string FailureMessage() const;
};

extern const char* const kRegistryErrorMessage;  // "错误：无法设置有关的注册表信息"
extern const char* const kDefaultPrinterKey;     // under HKEY_CURRENT_USER
extern const char* const kPortsKey;              // under HKEY_LOCAL_MACHINE

// Record builders, exposed for tests.
std::string DependentFilesList(int modelRow);
DriverRecord MakeDriverRecord(const std::string& environment, int modelRow);
PrinterRecord MakePrinterRecord(int modelRow, const std::string& portName);
std::string DefaultPrinterValue(int modelRow, const std::string& portName);
std::string SerialSettingsValue(const SerialSelection& selection);

// The steps, each also usable alone.
CallResult RegisterPrinterDriver(ISpooler& spooler, const std::string& environment,
                                 int modelRow);
AddPrinterResult CreatePrinterOnPort(ISpooler& spooler, int modelRow,
                                     const std::string& portName);
// Both write unconditionally; the install decides whether they run. A
// failed write shows kRegistryErrorMessage before returning.
StepOutcome WriteDefaultPrinter(IRegistry& registry, IInstallFeedback& feedback, int modelRow,
                                const std::string& portName);
// portListIndex must be a serial row of the port list (3..6).
StepOutcome WriteSerialPortSettings(IRegistry& registry, IInstallFeedback& feedback,
                                    int portListIndex, const SerialSelection& selection);

// portName is the text of the chosen port as the spooler names it ("LPT1:").
InstallReport InstallDriverPackage(const ArchProfile& profile, const std::string& portName,
                                   InstallServices& services);
