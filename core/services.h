// What the install needs from the system: the print spooler, the file system
// and the registry. Texts are UTF-8; the Windows implementation converts them
// to UTF-16 at the boundary so that any port name or path passes unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The outcome of one call: success, or the system's own words for the failure.
struct CallResult {
  bool ok = true;
  std::string error;

  static CallResult Success() { return {}; }
  static CallResult Failure(std::string why) { return {false, std::move(why)}; }
};

// The level-3 driver record. Paths name files in the driver directory.
struct DriverRecord {
  uint32_t version = 0;
  std::string name;
  std::string environment;
  std::string driverPath;
  std::string dataFile;
  std::string configFile;
  std::string helpFile;
  std::string dependentFiles;  // entries each closed by NUL, then one more NUL
  std::string monitorName;     // empty text, never absent
  std::string defaultDataType;
};

// The fields of the level-2 printer record that are set; every other field
// of the record is zero or null.
struct PrinterRecord {
  std::string printerName;
  std::string portName;
  std::string driverName;
  std::string printProcessor;
  std::string dataType;
};

using PrinterHandle = std::uintptr_t;  // 0: no printer handle

struct AddPrinterResult {
  CallResult result;
  PrinterHandle handle = 0;
  bool alreadyExists = false;  // refused because a printer of that name exists
};

class ISpooler {
 public:
  virtual ~ISpooler() = default;
  // The local driver directory for the environment ("Windows x64", ...).
  virtual CallResult QueryDriverDirectory(const std::string& environment,
                                          std::string& directory) = 0;
  virtual CallResult RegisterDriver(const DriverRecord& record) = 0;
  virtual AddPrinterResult AddPrinterOnPort(const PrinterRecord& record) = 0;
  virtual CallResult ClosePrinterHandle(PrinterHandle handle) = 0;
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;
  virtual std::string CurrentDirectory() = 0;
  virtual std::string ProgramDirectory() = 0;  // folder of the program file
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Copies a file, replacing one of the same name at the destination.
  virtual CallResult CopyFileOver(const std::string& from, const std::string& to) = 0;
};

enum class RegistryRoot { CurrentUser, LocalMachine };

enum class RegistryWriteStatus { Written, KeyNotOpened, ValueNotSet };

struct RegistryWriteResult {
  RegistryWriteStatus status = RegistryWriteStatus::Written;
  std::string error;  // the system's text when not written
};

class IRegistry {
 public:
  virtual ~IRegistry() = default;
  // Opens root\keyPath for setting values (creating the key first when
  // createKey is true) and sets a REG_SZ value, stored with its closing NUL.
  virtual RegistryWriteResult SetString(RegistryRoot root, const std::string& keyPath,
                                        const std::string& valueName,
                                        const std::string& data, bool createKey) = 0;
};
