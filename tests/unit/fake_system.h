// One fake behind every service the install uses. It records each call, in
// order, into one log, so a test can check what was done and in which order,
// and it answers from fields a test sets beforehand.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "install.h"

class FakeSystem : public ISpooler,
                   public IFileSystem,
                   public IRegistry,
                   public IInstallChoices,
                   public IInstallFeedback {
 public:
  std::vector<std::string> log;

  // Spooler.
  CallResult directoryResult;
  std::string driverDirectory = "C:\\Windows\\spool\\drivers\\W32X86";
  CallResult registerResult;
  AddPrinterResult addPrinterResult{{}, 42, false};
  CallResult closeResult;
  std::vector<DriverRecord> drivers;
  std::vector<PrinterRecord> printers;

  // File system: a copy fails when its source folder is missing or when the
  // source is listed in failingCopies.
  std::string currentDirectory = "C:\\Setup";
  std::string programDirectory = "C:\\Program Files\\DriverSetup";
  std::set<std::string> directories = {"C:\\Setup\\x86", "C:\\Setup\\x64"};
  std::set<std::string> failingCopies;

  // Registry: the answer for each root; written unless set.
  std::map<RegistryRoot, RegistryWriteResult> registryResults;

  // Choices.
  int modelRow = 5;
  int portListIndex = 0;
  bool setAsDefault = true;
  SerialSelection serial{5, 2, 3, 0, 2};

  CallResult QueryDriverDirectory(const std::string& environment,
                                  std::string& directory) override {
    log.push_back("QueryDriverDirectory " + environment);
    if (directoryResult.ok) directory = driverDirectory;
    return directoryResult;
  }
  CallResult RegisterDriver(const DriverRecord& record) override {
    log.push_back("RegisterDriver " + record.name);
    drivers.push_back(record);
    return registerResult;
  }
  AddPrinterResult AddPrinterOnPort(const PrinterRecord& record) override {
    log.push_back("AddPrinterOnPort " + record.printerName);
    printers.push_back(record);
    return addPrinterResult;
  }
  CallResult ClosePrinterHandle(PrinterHandle handle) override {
    log.push_back("ClosePrinterHandle " + std::to_string(handle));
    return closeResult;
  }

  std::string CurrentDirectory() override {
    log.push_back("CurrentDirectory");
    return currentDirectory;
  }
  std::string ProgramDirectory() override {
    log.push_back("ProgramDirectory");
    return programDirectory;
  }
  bool DirectoryExists(const std::string& path) override {
    log.push_back("DirectoryExists " + path);
    return directories.count(path) != 0;
  }
  CallResult CopyFileOver(const std::string& from, const std::string& to) override {
    log.push_back("CopyFileOver " + from + " -> " + to);
    if (directories.count(from.substr(0, from.rfind('\\'))) == 0) {
      return CallResult::Failure("The system cannot find the path specified.");
    }
    if (failingCopies.count(from) != 0) {
      return CallResult::Failure("Access is denied.");
    }
    return CallResult::Success();
  }

  RegistryWriteResult SetString(RegistryRoot root, const std::string& keyPath,
                                const std::string& valueName, const std::string& data,
                                bool createKey) override {
    log.push_back(std::string("SetString ") +
                  (root == RegistryRoot::CurrentUser ? "HKCU\\" : "HKLM\\") + keyPath + " [" +
                  valueName + "]=\"" + data + "\"" + (createKey ? " create" : ""));
    return registryResults[root];
  }

  int ModelRow() override {
    log.push_back("ModelRow");
    return modelRow;
  }
  int PortListIndex() override {
    log.push_back("PortListIndex");
    return portListIndex;
  }
  bool SetAsDefaultPrinter() override {
    log.push_back("SetAsDefaultPrinter");
    return setAsDefault;
  }
  SerialSelection SerialChoices() override {
    log.push_back("SerialChoices");
    return serial;
  }

  void SetProgress(int position) override {
    log.push_back("SetProgress " + std::to_string(position));
  }
  void ShowRegistryError(const std::string& message) override {
    log.push_back("ShowRegistryError " + message);
  }
  void Pause(int milliseconds) override { log.push_back("Pause " + std::to_string(milliseconds)); }

  // The log entries that start with prefix, in order.
  std::vector<std::string> Calls(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& entry : log) {
      if (entry.compare(0, prefix.size(), prefix) == 0) found.push_back(entry);
    }
    return found;
  }
};
